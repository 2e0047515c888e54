#include <QHostAddress>
#include <QLabel>
#include <QSslSocket>

#include "tests/update/updatetestsupport.h"

// Failed exchanges, unsafe addresses and a check that ends before its reply.
class UpdateFaultTest : public QObject {
    Q_OBJECT
    ReplyServer* server = nullptr;
    NoBrowser* browser = nullptr;

    void expectError(int code) {
        QCOMPARE(messages(), QStringList{errorMessage(code)});
        QCOMPARE(fw::beepCount(), 1);
        QVERIFY(browser->opened.isEmpty());
        QVERIFY(!fw::Window::ifOpen<updateWindow>());
    }

private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void init() {
        testing::resetGame();
        server = new ReplyServer;
        browser = new NoBrowser;
        setMakerSite(server->site());
    }
    void cleanup() {
        setMakerSite(QString());
        delete browser;
        delete server;
    }

    // Failed exchanges: one beep, the message with the code, the window closed
    void refusedConnection_isReportedWithItsCode() {
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost, 0));
        setMakerSite(QStringLiteral("http://127.0.0.1:%1").arg(gone.serverPort()));
        gone.close();
        chooseCheck();
        QCOMPARE(messages(), QStringList{QStringLiteral(
                                 "There was a communication error with the website. Please try again later. (Code: 1)")});
        expectError(1);
    }

    void errorStatus_isAFailedExchange_evenWithAVersionInIt() {
        for (const int status : {404, 500, 301, 204}) {
            testing::resetGame();
            server->serve(ReplyServer::versionFile(QStringLiteral("2.0")), status);
            chooseCheck();
            expectError(status);
        }
    }

    void replyWithoutAVersion_isAFailedExchange() {
        const QByteArray bodies[] = {
            "<html><body>Welcome</body></html>",
            "",
            ReplyServer::versionFile(QString()),
            ReplyServer::versionFile(QStringLiteral("   ")),
            "<CurrentVersion>1.1"};  // no end tag
        for (const QByteArray& body : bodies) {
            testing::resetGame();
            server->serve(body);
            chooseCheck();
            expectError(200);
        }
    }

    void replyOverOneMebibyte_isAFailedExchange() {
        QByteArray body = ReplyServer::versionFile(QStringLiteral("1.0.0"));
        body += QByteArray((1 << 20) - body.size(), ' ');
        server->serve(body);  // exactly 1 MiB: read whole
        chooseCheck();
        QCOMPARE(messages(), QStringList{QStringLiteral(
                                 "You are using the current version of Zorvik! No updates are necessary.")});

        testing::resetGame();
        server->serve(body + ' ');
        chooseCheck();
        expectError(fw::kTooLong);
    }

    void replyCutOffMidway_isALostConnection() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1")), 200, ReplyServer::Mode::CutOff);
        chooseCheck();
        expectError(fw::kConnectionLost);
    }

    void plainServerAtASecureAddress_isASecureFailure() {
        if (!QSslSocket::supportsSsl()) QSKIP("no TLS backend in this Qt");
        QString site = server->site();
        setMakerSite(site.replace(QStringLiteral("http:"), QStringLiteral("https:")));
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, ReplyServer::Mode::AtOnce);
        chooseCheck();
        expectError(fw::kSecureFailed);
    }

    void errorMessage_showsTheCodeInDigits() {
        updateWindow* w = updateWindow::get();
        w->hp_Error(102);
        QCOMPARE(messages().value(0), QStringLiteral(
                     "There was a communication error with the website. Please try again later. (Code: 102)"));
        QVERIFY(w->isClosed());
    }

    // Only web addresses from the reply are opened
    void downloadAddressOtherThanWeb_isNotOpened() {
        for (const QString& address : {QStringLiteral("file:///etc/passwd"), QStringLiteral("javascript:alert(1)"),
                                      QString(), QStringLiteral("https:///no-host"), QStringLiteral("/zorvik.zip"),
                                      QStringLiteral(" https://dl.example/a b")}) {
            testing::resetGame();
            server->serve(ReplyServer::versionFile(QStringLiteral("1.1"), QString(), QStringLiteral("Yes"), address));
            chooseCheck(0);
            QCOMPARE(fw::shownDialogs().size(), 1);  // the offer, no more
            QCOMPARE(fw::beepCount(), 1);
            QVERIFY2(browser->opened.isEmpty(), qPrintable(address));
            QVERIFY(fw::openedURLs().isEmpty());
            QVERIFY(!fw::Window::ifOpen<updateWindow>());
        }
    }

    // Ended while the reply is on its way: the exchange ends at once, nothing follows
    void closedWhileTheReplyIsOnItsWay_endsTheExchangeSilently() {
        const std::function<void(updateWindow*)> closers[] = {
            [](updateWindow* w) { QTest::mouseClick(w->PushButton1, Qt::LeftButton); },
            [](updateWindow* w) { QTest::keyClick(w, Qt::Key_Escape); },
            [](updateWindow* w) { QTest::keyClick(w, Qt::Key_Return); },
            [](updateWindow* w) { w->close(); }};  // the close box
        for (const auto& closeIt : closers) {
            testing::resetGame();
            server->serve(ReplyServer::versionFile(QStringLiteral("1.1")), 200, ReplyServer::Mode::Hold);
            QPointer<updateWindow> window;
            chooseCheck(0, [&](updateWindow* w) {
                window = w;
                QTRY_VERIFY(server->halfSent);
                closeIt(w);
                QVERIFY(w->isClosed());
                QTRY_VERIFY(server->clientGone());  // dropped at once, while the window still exists
                QVERIFY(window);
            });
            QVERIFY(!window || window->isClosed());
            QVERIFY(!fw::Window::ifOpen<updateWindow>());
            QTRY_VERIFY(server->clientGone());  // the connection was dropped, not left to finish
            server->release();
            testing::drain(20);
            QVERIFY(fw::shownDialogs().isEmpty());
            QCOMPARE(fw::beepCount(), 0);
            QVERIFY(browser->opened.isEmpty());
        }
    }

    void quittingWhileTheReplyIsOnItsWay_endsTheExchangeSilently() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1")), 200, ReplyServer::Mode::Hold);
        fw::Window::setModalHook([&](fw::Window*) {
            QTRY_VERIFY(server->halfSent);
            Menu::get()->choose(*FileQuit());  // ends every running loop, the window's too
        });
        fw::HandlerScope running;  // keeps the closed window an object while the test looks at it
        QPointer<updateWindow> w = updateWindow::get();
        w->ShowModal();
        fw::Window::setModalHook(nullptr);
        QVERIFY(w && w->isClosed());
        QTRY_VERIFY(server->clientGone());
        server->release();
        testing::drain(20);
        QVERIFY(fw::shownDialogs().isEmpty());
        QCOMPARE(fw::beepCount(), 0);
    }

    void eventsOfAClosedWindowsExchange_neverReachIt() {
        // Closed while a handler still runs, before it was ever shown: the reply comes whole.
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1")));
        fw::HandlerScope running;
        QPointer<updateWindow> w = updateWindow::get();
        QSignalSpy pages(w->hp, &fw::HTTPSocket::PageReceived);
        w->Close();
        QTRY_COMPARE(pages.count(), 1);
        QVERIFY(w);  // still a valid object
        QVERIFY(fw::shownDialogs().isEmpty());
        QCOMPARE(fw::beepCount(), 0);
    }
};

ZORVIK_TEST(UpdateFaultTest)
#include "test_updatefaults.moc"
