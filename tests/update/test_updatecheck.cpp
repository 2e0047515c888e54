#include <QFileInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include "fw/curllib.h"
#include "fw/placement.h"
#include "shell/gamesettingswindow.h"
#include "shell/gamewindow.h"
#include "shell/menuholderwindow.h"
#include "shell/playerlistwindow.h"
#include "tests/support/overmodal.h"
#include "tests/support/packing.h"
#include "tests/update/updatetestsupport.h"

namespace {
using Mode = ReplyServer::Mode;
const QString kCurrent =
    QStringLiteral("You are using the current version of Zorvik! No updates are necessary.");

QString errorMessage(int code) {
    return QStringLiteral(
               "There was a communication error with the website. Please try again later. (Code: %1)")
        .arg(code);
}

QString noBrowserText(const QString& address) {
    return QStringLiteral("No web browser could be opened for this address:\n") + address;
}

QString offerText(const QString& version, bool free) {
    return QStringLiteral("Version %1 is now available. (You are using version 1.0.0.) ").arg(version) +
           (free
                ? QStringLiteral(
                      "This is a free upgrade. Would you like to automatically download this update "
                      "(using your web browser)?")
                : QStringLiteral("This is a paid upgrade. Would you like to automatically download the trial "
                                 "version (using your web browser)?"));
}

// A success with one more header line (or two); its length is given unless the body is chunked or
// packed for the transfer, or the header says the connection closes (the body then ends with it).
QByteArray rawReply(const QByteArray& header, const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\n" + header + "\r\n" +
           (header.startsWith("Transfer-Encoding") || header.startsWith("Connection: close")
                ? QByteArray()
                : "Content-Length: " + QByteArray::number(body.size()) + "\r\n") +
           "Connection: close\r\n\r\n" + body;
}

// The process's peak resident memory in KiB (VmHWM); resetting it makes it the present size.
long peakKb(bool reset = false) {
    if (reset) {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1) return -1;
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT
    ReplyServer* server = nullptr;
    NoBrowser* browser = nullptr;

    // One beep, the message with the code, nothing opened, the window closed.
    void expectError(int code) {
        QCOMPARE(messages(), QStringList{errorMessage(code)});
        QCOMPARE(fw::beepCount(), 1);
        QVERIFY(browser->opened.isEmpty());
        QVERIFY(!fw::Window::ifOpen<updateWindow>());
    }

  private Q_SLOTS:
    void initTestCase() {
        setUpApplication();
        QCOMPARE(App()->ShortVersion(), QStringLiteral("1.0.0"));  // the versions below are relative to it
    }
    void init() {
        testing::resetGame();
        server = new ReplyServer;
        browser = new NoBrowser;
        setMakerSite(server->site());
    }
    void cleanup() {
        fw::Window::setModalHook(nullptr);
        setMakerSite(QString());
        fw::setTrustedCertificatesForTests(QString());
        fw::setCurlLibraryName();
        fw::setNoBrowserForTests(false);
        delete browser;
        delete server;
    }

    // The menu command, the window, the current version
    void menuCommand_showsTheCheckingWindow_thenSaysTheVersionIsCurrent() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, Mode::Hold);
        bool shown = false;
        const auto seen = chooseCheck(0, [&](updateWindow* w) {
            shown = w->isVisible() && w->windowModality() == Qt::ApplicationModal;
            QCOMPARE(w->StaticText1->text(), QStringLiteral("Checking for updates..."));
            QVERIFY(w->ProgressBar1->isVisible() && w->ProgressBar1->maximum() == 0);  // busy
            QVERIFY(w->actions().contains(FileQuit()->action()));  // answers Quit without a menu bar
            QTRY_VERIFY(server->halfSent);
            QVERIFY(!w->isClosed());  // half a reply is no reply
            server->release();
        });
        QVERIFY(shown);
        QCOMPARE(server->paths, QStringList{QStringLiteral("/updates/zorvik.xml")});
        QCOMPARE(messages(), QStringList{kCurrent});
        QCOMPARE(seen, std::make_pair(QStringLiteral("This version is current."), false));
        QVERIFY(!fw::Window::ifOpen<updateWindow>());

        for (const char* v :
             {"1.0", "1", "1.0.0.9", "01.00.000"}) {  // missing fields read 0, a fourth is ignored
            testing::resetGame();
            server->serve(ReplyServer::versionFile(QString::fromLatin1(v)));
            chooseCheck();
            QCOMPARE(messages(), QStringList{kCurrent});
        }
    }

    // The offer
    void otherVersions_areOffered_lowerOnesToo() {
        const QByteArray longVersion = "1.0.1" + QByteArray(399, '0');  // a field of 400 digits
        const std::tuple<const char*, QString, bool> cases[] = {{"1.1", QStringLiteral("Yes"), true},
                                                                {"0.9.9", QStringLiteral("yes"), true},
                                                                {"1.0.1", QStringLiteral(" Yes "), false},
                                                                {"2.0.0", QString(), false},
                                                                {"1.2b", QStringLiteral(""), false},
                                                                // beyond a double: not 0, so not 1.0.0
                                                                {longVersion.constData(), QString(), false}};
        for (const auto& [version, free, isFree] : cases) {
            testing::resetGame();
            server->serve(ReplyServer::versionFile(QString::fromLatin1(version), free,
                                                   QStringLiteral("https://a.example/"),
                                                   QStringLiteral("New & <b>better</b>\n dice")));
            const auto seen = chooseCheck(1);  // Cancel: nothing opened, the window closed
            QCOMPARE(fw::shownDialogs().size(), 1);
            const fw::DialogRecord offer = fw::shownDialogs().first();
            QCOMPARE(offer.title, QStringLiteral("New version available!"));
            QCOMPARE(offer.message, offerText(QString::fromLatin1(version), isFree));
            QCOMPARE(offer.explanation, QStringLiteral("New & <b>better</b>\n dice"));
            QCOMPARE(offer.buttons, QStringList({"OK", "Cancel", "Go to Website"}));
            QCOMPARE(seen, std::make_pair(QStringLiteral("Checking for updates..."), false));
            QVERIFY(browser->opened.isEmpty() && !fw::Window::ifOpen<updateWindow>() && fw::beepCount() == 0);
        }
    }

    // Shown by the real box: the reply's text is drawn as it came, no tags, no entities.
    void offer_showsTheRepliesTextAsItIs() {
        const QString description = QStringLiteral("New &amp; <b>better</b>\n dice");
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1<i>"), QStringLiteral("Yes"),
                                               QStringLiteral("https://a.example/"), description));
        QList<QPair<QString, Qt::TextFormat>> labels;
        checkWithRealBox([&](QMessageBox* box) {
            for (const char* name : {"qt_msgbox_label", "qt_msgbox_informativelabel"})
                if (auto* l = box->findChild<QLabel*>(QLatin1String(name)))
                    labels.append({l->text(), l->textFormat()});
        });
        const QList<QPair<QString, Qt::TextFormat>> plain{
            {offerText(QStringLiteral("1.1<i>"), true), Qt::PlainText}, {description, Qt::PlainText}};
        QCOMPARE(labels, plain);
        QVERIFY(!fw::Window::ifOpen<updateWindow>() && browser->opened.isEmpty());
    }

    void offerButtons_openTheDownloadOrTheProductPage() {
        const QString address = QStringLiteral("https://dl.example/files/zorvik-1.1.tar.gz?from=app&v=1.1");
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1"), QStringLiteral("Yes"), address));
        chooseCheck(0);
        QCOMPARE(browser->opened, QStringList{address});
        QVERIFY(!fw::Window::ifOpen<updateWindow>());

        browser->opened.clear();
        bool stayedOpen = false;
        chooseCheck(2, [&](updateWindow* w) {  // "Go to Website"
            QTRY_COMPARE(browser->opened, QStringList{server->site() + QStringLiteral("/zorvik/")});
            stayedOpen = !w->isClosed() && w->isVisible() && !w->ProgressBar1->isVisible() &&
                         w->StaticText1->text() == QStringLiteral("Checking for updates...");
            QTest::mouseClick(w->PushButton1, Qt::LeftButton);
            QVERIFY(w->isClosed());
        });
        QVERIFY(stayedOpen);
        QCOMPARE(fw::beepCount(), 0);

        // No browser to open: a beep and the address told, then as after an opening.
        fw::setNoBrowserForTests(true);
        for (const int button : {0, 2}) {
            testing::resetGame();
            stayedOpen = false;
            const std::function<void(updateWindow*)> staysOpen = [&](updateWindow* w) {
                QTRY_COMPARE(fw::shownDialogs().size(), 2);
                stayedOpen = !w->isClosed();
                w->Close();
            };
            chooseCheck(button, button == 2 ? staysOpen : nullptr);
            QCOMPARE(messages().mid(1),
                     QStringList{
                         noBrowserText(button == 0 ? address : server->site() + QStringLiteral("/zorvik/"))});
            QCOMPARE(fw::beepCount(), 1);
            QCOMPARE(stayedOpen, button == 2);
        }
    }

    // Boxes stay in view: the window is a dialog of the window it was opened from, and its boxes are
    // its own, though the person last pressed in the main window.
    void windowAndItsBoxes_areTransientForTheWindowTheyComeUpOver() {
        const QString address = QStringLiteral("https://dl.example/zorvik-1.1.tar.gz");
        fw::setNoBrowserForTests(true);
        gameWindow* main = gameWindow::get();
        main->Show();
        QTest::keyClick(main, Qt::Key_Shift);
        QStringList seen;
        const auto look = [&](QMessageBox* box) {
            const updateWindow* w = fw::Window::ifOpen<updateWindow>();
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            seen << QStringLiteral("%1 over the window %2, selectable %3, window over the main one %4")
                        .arg(box->text().left(20))
                        .arg(w && box->windowHandle()->transientParent() == w->windowHandle())
                        .arg(label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse))
                        .arg(w && w->windowHandle()->transientParent() == main->windowHandle() &&
                             w->windowType() == Qt::Dialog);
        };
        server->serve(ReplyServer::versionFile(QStringLiteral("2.0")), 404);
        checkWithRealBox(look);
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1"), QStringLiteral("Yes"), address));
        checkWithRealBox(look, QStringLiteral("OK"));
        QCOMPARE(seen,
                 (QStringList{
                     "There was a communic over the window 1, selectable 1, window over the main one 1",
                     "Version 1.1 is now a over the window 1, selectable 1, window over the main one 1",
                     "No web browser could over the window 1, selectable 1, window over the main one 1"}));
        QCOMPARE(fw::beepCount(), 2);
        QCOMPARE(fw::shownDialogs().last().message, noBrowserText(address));

        // Chosen in the menu of the manual, which cannot own a dialog: the failure box is still the
        // window's, so that a window manager cannot put it beneath the window.
        main->activateWindow();
        testing::drain(20);
        QTest::keyClick(main->windowHandle(), Qt::Key_F1);
        helpWindow* help = fw::Window::ifOpen<helpWindow>();
        QVERIFY(help && help->isVisible());
        QWindow *boxOwner = nullptr, *window = nullptr;
        server->serve(ReplyServer::versionFile(QStringLiteral("2.0")), 404);
        checkWithRealBox(
            [&](QMessageBox* box) {
                boxOwner = box->windowHandle()->transientParent();
                if (const updateWindow* w = fw::Window::ifOpen<updateWindow>()) window = w->windowHandle();
            },
            QStringLiteral("OK"), [&] { testing::chooseInMenuBar(help, *HelpCheckforUpdates()); });
        QCOMPARE(fw::shownDialogs().last().message, errorMessage(404));
        QVERIFY(window && boxOwner == window);
        help->close();

        // Opened from the new-game dialog or from the window that only holds the menus
        const auto ownerOfTheCheck = [&] {
            QWindow* owner = nullptr;
            server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")));
            chooseCheck(0, [&](updateWindow* w) { owner = w->windowHandle()->transientParent(); });
            return owner;
        };
        QWindow* overDialog = nullptr;
        gameSettingsWindow* dialog = gameSettingsWindow::get();
        fw::Window::setModalHook([&](fw::Window*) {
            QTest::keyClick(dialog, Qt::Key_Shift);
            overDialog = ownerOfTheCheck();
            dialog->Close();
        });
        dialog->ShowModal();
        QVERIFY(overDialog && overDialog == dialog->windowHandle());
        main->Close();
        menuHolderWindow* holder = menuHolderWindow::get();
        holder->Show();
        QTest::keyClick(holder, Qt::Key_Shift);
        QCOMPARE(ownerOfTheCheck(), holder->windowHandle());
    }

    void downloadAddressOtherThanWeb_isNotOpened() {
        for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "", "https:///no-host",
                                    "/z.zip", " https://dl.example/a b"}) {
            testing::resetGame();
            fw::openedURLs().clear();
            server->serve(ReplyServer::versionFile(QStringLiteral("1.1"), QStringLiteral("Yes"),
                                                   QString::fromLatin1(address)));
            chooseCheck(0);
            QCOMPARE(fw::shownDialogs().size(), 1);  // the offer, no more
            QCOMPARE(fw::beepCount(), 1);
            QVERIFY2(browser->opened.isEmpty() && fw::openedURLs().isEmpty(), address);
            QVERIFY(!fw::Window::ifOpen<updateWindow>());
        }
    }

    // Failed exchanges
    void refusedConnection_isReportedWithItsCode() {
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost, 0));
        setMakerSite(QStringLiteral("http://127.0.0.1:%1").arg(gone.serverPort()));
        gone.close();
        chooseCheck();
        QCOMPARE(messages().value(0),
                 QStringLiteral(
                     "There was a communication error with the website. Please try again later. (Code: 1)"));
        expectError(fw::kRefused);
    }

    // Without libcurl, or with a library in its place that lacks its functions, the check fails as a
    // whole and says why on stderr, once; a later check loads libcurl.
    void missingCurlLibrary_failsTheCheck_andNamesIt() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")));
        const std::tuple<const char*, int, const char*> cases[] = {
            {"zorvik-missing", 4, "^Zorvik!: cannot load libzorvik-missing\\.so\\.4: .+"},
            // zlib: loads, but is no libcurl
            {"z", 1, "^Zorvik!: cannot load libz\\.so\\.1: it has no curl_global_init$"}};
        for (const auto& [name, version, pattern] : cases) {
            testing::resetGame();
            fw::setCurlLibraryName(QString::fromLatin1(name), version);
            const QRegularExpression line(QString::fromLatin1(pattern));
            QTest::ignoreMessage(QtWarningMsg, line);
            QTest::failOnWarning(line);  // a second one
            chooseCheck();
            expectError(fw::kOtherFailure);
            QVERIFY(server->paths.isEmpty());
        }

        testing::resetGame();
        fw::setCurlLibraryName();
        chooseCheck();
        QCOMPARE(messages(), QStringList{kCurrent});
    }

    void replyThatIsNoVersionFile_isAFailedExchange() {
        const std::tuple<QByteArray, int, Mode, int> cases[] = {
            {ReplyServer::versionFile(QStringLiteral("2.0")), 404, Mode::Whole, 404},
            {ReplyServer::versionFile(QStringLiteral("2.0")), 500, Mode::Whole, 500},
            {ReplyServer::versionFile(QStringLiteral("2.0")), 301, Mode::Whole, 301},
            {ReplyServer::versionFile(QStringLiteral("2.0")), 400, Mode::Whole, 400},
            // A success without a version value is no success: "Code: 200" would contradict itself.
            {"<html><body>Welcome</body></html>", 200, Mode::Whole, fw::kOtherFailure},
            {"", 200, Mode::Whole, fw::kOtherFailure},
            {ReplyServer::versionFile(QString()), 204, Mode::Whole, fw::kOtherFailure},
            {ReplyServer::versionFile(QStringLiteral("  ")), 200, Mode::Whole, fw::kOtherFailure},
            {"<CurrentVersion>1.1", 200, Mode::Whole, fw::kOtherFailure},
            // Statuses that HTTP does not have
            {ReplyServer::versionFile(QStringLiteral("2.0")), 999, Mode::Whole, fw::kOtherFailure},
            {ReplyServer::versionFile(QStringLiteral("2.0")), 600, Mode::Whole, fw::kOtherFailure},
            {ReplyServer::versionFile(QStringLiteral("2.0")), 99, Mode::Whole, fw::kOtherFailure},
            {ReplyServer::versionFile(QStringLiteral("1.1")), 200, Mode::CutOff, fw::kConnectionLost}};
        for (const auto& [body, status, mode, code] : cases) {
            testing::resetGame();
            server->serve(body, status, mode);
            chooseCheck();
            expectError(code);
        }
        // Garbled bodies under a success status
        QByteArray spoilt =
            qCompress(ReplyServer::versionFile(QStringLiteral("1.0.0"))).mid(4);   // zlib stream
        spoilt.back() = char(spoilt.back() ^ 0x55);                                // its checksum
        const QByteArray plain = ReplyServer::versionFile(QStringLiteral("1.1"));  // no offer from these
        const std::tuple<QByteArray, QByteArray, int> garbled[] = {
            {"Content-Encoding: deflate", spoilt, fw::kOtherFailure},
            {"Content-Encoding: deflate", plain, fw::kOtherFailure},
            {"Content-Encoding: gzip", plain, fw::kOtherFailure},
            {"Transfer-Encoding: gzip, chunked", packing::chunked(plain), fw::kOtherFailure},
            {"Transfer-Encoding: chunked", "zz\r\n" + plain + "\r\n0\r\n\r\n", fw::kConnectionLost}};
        for (const auto& [header, body, code] : garbled) {
            testing::resetGame();
            server->serveRaw(rawReply(header, body));
            chooseCheck();
            QVERIFY2(messages() == QStringList{errorMessage(code)}, header.constData());
        }
    }

    // Packed bodies are asked for and read, whole only; the limit holds for the body once unpacked
    // too, and a packed bomb (64 MiB of zeros in 65 KB or less) costs no memory. Transfer codings other
    // than chunked were never asked for: refused at once.
    void packedReplies_areRead_andHeldToTheLimitOnceUnpacked() {
        using namespace packing;
        const QByteArray current = ReplyServer::versionFile(QStringLiteral("1.0.0"));
        const QByteArray gzip = packedZeros(kGzip, 64), zlib = packedZeros(kZlib, 64);
        const QByteArray raw = pack(kRaw, current);
        const qsizetype version = current.indexOf("<CurrentVersion>");
        const QString tooLong = errorMessage(fw::kTooLong), failed = errorMessage(fw::kOtherFailure);
        const std::tuple<QByteArray, QByteArray, QString> cases[] = {
            {"Content-Encoding: gzip", pack(kGzip, current), kCurrent},
            {"Content-Encoding: deflate", pack(kZlib, current), kCurrent},
            {"Content-Encoding: deflate", raw, kCurrent},
            // Gzip members in a row, the version in the second one
            {"Content-Encoding: gzip", pack(kGzip, current.left(version)) + pack(kGzip, current.mid(version)),
             kCurrent},
            // Cut short, the length agreeing or the connection closed before the end; bytes after the end
            {"Content-Encoding: gzip", pack(kGzip, current).chopped(12), failed},
            {"Content-Encoding: deflate", pack(kZlib, current).chopped(6), failed},
            {"Connection: close\r\nContent-Encoding: deflate", raw.chopped(8), failed},
            {"Content-Encoding: gzip", pack(kGzip, current) + "\r\n", failed},
            {"Content-Encoding: deflate", pack(kZlib, current) + "\r\n", failed},
            {"Transfer-Encoding: gzip, chunked", chunked(pack(kGzip, current)), failed},
            {"Transfer-Encoding: deflate", zlib, failed},
            {"Transfer-Encoding: gzip, chunked", chunked(gzip), failed},
            {"Transfer-Encoding: gzip, gzip, chunked", chunked(pack(kGzip, gzip)), failed},
            {"Content-Encoding: gzip", gzip, tooLong},
            {"Content-Encoding: deflate", zlib, tooLong}};
        for (const auto& [header, body, message] : cases) {
            testing::resetGame();
            server->serveRaw(rawReply(header, body));
            const long before = peakKb(true);
            QVERIFY(before > 0);
            chooseCheck();
            QVERIFY2(messages() == QStringList{message}, header.constData());
            QVERIFY(server->requests.last().contains("\r\nAccept-Encoding: gzip, deflate\r\n"));
            const long more = peakKb() - before;
            QVERIFY2(
                more < 16 * 1024,
                qPrintable(QStringLiteral("%1: %2 KiB more").arg(QString::fromLatin1(header)).arg(more)));
        }
    }

    void replyOverOneMebibyte_headersIncluded_isAFailedExchange() {
        QByteArray body = ReplyServer::versionFile(QStringLiteral("1.0.0"));
        const qsizetype headers = QByteArrayLiteral(
                                      "HTTP/1.1 200 S\r\nContent-Length: 1048576\r\n"
                                      "Connection: close\r\n\r\n")
                                      .size();
        body += QByteArray((1 << 20) - headers - body.size(), ' ');
        server->serve(body);  // exactly 1 MiB with the headers: read whole
        chooseCheck();
        QCOMPARE(messages(), QStringList{kCurrent});
        testing::resetGame();
        server->serve(body + ' ');
        chooseCheck();
        expectError(fw::kTooLong);
    }

    // Hostile servers: the exchange ends once more than the limit has arrived, whatever it is made of.
    void endlessOrOversizedReplies_failAtTheLimit_headersIncluded() {
        const QByteArray ok = "HTTP/1.1 200 OK\r\n";
        const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
        QByteArray manyHeaders = ok;  // a million short header lines, then a good reply
        for (int i = 0; manyHeaders.size() <= (1 << 20); ++i)
            manyHeaders += "X-Line: " + QByteArray::number(i) + "\r\n";
        const QByteArray current = ReplyServer::versionFile(QStringLiteral("1.0.0"));
        manyHeaders += "Content-Length: " + QByteArray::number(current.size()) + "\r\n\r\n" + current;
        const std::pair<QByteArray, QByteArray> endless[] = {
            {ok + "X-Endless: ", QByteArray(1 << 16, 'a')},                           // one header line
            {ok, "X-Line: v\r\n"},                                                    // header lines
            {chunked, "4000\r\n" + QByteArray(0x4000, 'x') + "\r\n"},                 // a chunked body
            {chunked, "1;" + QByteArray(1 << 16, 'e') + "\r\nx\r\n"},                 // chunk framing
            {ok + "Content-Length: 10000000000\r\n\r\n", QByteArray(1 << 16, 'x')}};  // a false length
        for (const auto& [head, filler] : endless) {
            testing::resetGame();
            server->serveEndless(head, filler);
            chooseCheck();
            QVERIFY2(messages() == QStringList{errorMessage(fw::kTooLong)},
                     (head + filler).left(60).constData());
        }
        testing::resetGame();
        server->serveRaw(manyHeaders);
        chooseCheck();
        expectError(fw::kTooLong);
    }

    void silentServer_failsAtTheTimeLimit_withItsOwnCode() {
        QCOMPARE(fw::HTTPSocket().timeLimit, 30000);
        for (const Mode mode : {Mode::Silent, Mode::Hold}) {
            testing::resetGame();
            server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, mode);
            chooseCheck(0, [](updateWindow* w) {
                w->hp->timeLimit = 200;
                w->hp->Get(updateURL());  // asked again, with the shorter limit
            });
            expectError(fw::kTimedOut);
        }
    }

    void redirects_areFollowedOnTheWebOnly() {
        server->redirectFirstTo(server->site().toLatin1() + "/moved/zorvik.xml");
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")));
        chooseCheck();
        QCOMPARE(messages(), QStringList{kCurrent});
        QCOMPARE(server->paths, QStringList({"/updates/zorvik.xml", "/moved/zorvik.xml"}));

        for (const QByteArray location :
             {"file:///etc/passwd", "ftp://127.0.0.1/zorvik.xml", "/updates/zorvik.xml"}) {
            testing::resetGame();
            // A redirect away from the web, or back to itself without end
            server->serveRaw("HTTP/1.1 302 Found\r\nLocation: " + location +
                             "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            chooseCheck();
            expectError(fw::kOtherFailure);
        }
    }

    // The offer of a huge description stays on the screen, and laying it out costs little.
    void hugeDescription_leavesTheOfferOnScreen() {
        QString lines;
        for (int i = 0; i < 200000; ++i) lines += QStringLiteral("x\n");
        const QString version = QStringLiteral("2.") + QString(100000, u'9');  // one long word
        const QRect smallDesktop(0, 0, 640, 480);
        fw::setAvailableAreaForTests(smallDesktop);
        server->serve(ReplyServer::versionFile(version, QStringLiteral("Yes"),
                                               QStringLiteral("https://a.example/"), lines),
                      200, Mode::Hold);
        fw::Window::setModalHook([&](fw::Window* w) {
            w->move(smallDesktop.right() - w->width(), 0);  // the box comes up over its window at the edge
            QTRY_VERIFY(server->halfSent);
            server->release();
        });
        QRect frame;
        qsizetype shown = 0;
        QString explanation;
        bool buttonsInside = true;
        checkWithRealBox([&](QMessageBox* box) {
            frame = box->frameGeometry();
            for (QLabel* l : box->findChildren<QLabel*>()) shown += l->text().size();
            if (auto* l = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
                explanation = l->text();
            for (QAbstractButton* b : box->buttons())
                buttonsInside = buttonsInside && b->isVisible() &&
                                box->rect().contains(QRect(b->mapTo(box, QPoint()), b->size()));
        });
        QVERIFY2(smallDesktop.contains(frame), qPrintable(QDebug::toString(frame)));
        QVERIFY(buttonsInside);
        QVERIFY2(shown < 5000, qPrintable(QString::number(shown)));  // the labels' work
        QVERIFY(explanation.startsWith(QStringLiteral("x\nx\n")) && explanation.endsWith(QChar(0x2026)));
        QCOMPARE(fw::shownDialogs().value(0).explanation, lines);  // cut for the screen only
        QVERIFY(!fw::Window::ifOpen<updateWindow>() && browser->opened.isEmpty());
    }

    // The manual stays usable while the update window waits for a reply that does not come.
    void waitingCheck_leavesTheManualUsable_andCancelEndsIt() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, Mode::Hold);
        QStringList failed{QStringLiteral("no update window")};
        fw::Window::setModalHook([&](fw::Window* w) {
            auto* update = qobject_cast<updateWindow*>(w);
            failed = QTest::qWaitFor([&] { return server->halfSent; })
                         ? helptest::useHelpOver(update)
                         : QStringList{"no request reached the server"};
            helptest::click(update->PushButton1, QPoint(5, 5));  // Cancel
            helptest::closeIfStillOpen(update, failed);
        });
        Menu::get()->updateEnabled();
        Menu::get()->choose(*HelpCheckforUpdates());
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QStringLiteral("; "))));
        QVERIFY(!fw::Window::ifOpen<updateWindow>());
        QVERIFY(fw::shownDialogs().isEmpty());  // cancelled: no message
        QTRY_VERIFY(server->clientGone());
    }

    void plainServerAtASecureAddress_isASecureFailure() {
        if (!curlSpeaksTls()) QSKIP("no TLS in libcurl");
        // Without the system's authorities every real check would fail so.
        QVERIFY2(QFileInfo(curlCertificateFile()).size() > 0, qPrintable(curlCertificateFile()));
        setMakerSite(server->site().replace(QStringLiteral("http:"), QStringLiteral("https:")));
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, Mode::AtOnce);
        chooseCheck();
        expectError(fw::kSecureFailed);
    }

    // A certificate that nothing vouches for is refused; redirects never leave https for http, however
    // many hops come between.
    void secureServer_isTrustedByItsCertificateOnly_andNeverLeftForHttp() {
        if (!curlSpeaksTls()) QSKIP("no TLS in libcurl");
        QTemporaryDir dir;
        const std::optional<QSslConfiguration> tls = selfSignedTls(dir);
        if (!tls) QSKIP("no openssl program to make a certificate with");
        const QByteArray current = ReplyServer::versionFile(QStringLiteral("1.0.0"));
        ReplyServer secure(&*tls);
        secure.serve(current);
        setMakerSite(secure.site());
        chooseCheck();
        expectError(fw::kSecureFailed);

        fw::setTrustedCertificatesForTests(dir.filePath(QStringLiteral("cert.pem")));
        testing::resetGame();
        chooseCheck();  // the same server, now trusted
        QCOMPARE(messages(), QStringList{kCurrent});

        testing::resetGame();
        secure.redirectFirstTo(server->site().toLatin1() + "/updates/zorvik.xml");  // https -> http
        server->serve(current);
        chooseCheck();
        expectError(fw::kOtherFailure);
        QVERIFY(server->paths.isEmpty());

        testing::resetGame();
        setMakerSite(server->site());
        server->redirectFirstTo(secure.site().toLatin1() + "/moved");  // http -> https, allowed
        chooseCheck();
        QCOMPARE(messages(), QStringList{kCurrent});

        testing::resetGame();
        server->paths.clear();
        secure.paths.clear();
        server->redirectFirstTo(secure.site().toLatin1() + "/moved");
        secure.redirectFirstTo(server->site().toLatin1() + "/back");  // http -> https -> http
        chooseCheck();
        expectError(fw::kOtherFailure);
        QCOMPARE(server->paths, QStringList{"/updates/zorvik.xml"});  // nothing asked over http again
        QCOMPARE(secure.paths, QStringList{"/moved"});
    }

    // Loopback servers are reached directly whatever the proxy variables say (the test main names
    // them in NO_PROXY); other addresses go through the proxy that the variables name.
    void proxyVariables_leaveLoopbackAlone_butAreFollowed() {
        QList<std::pair<QByteArray, std::optional<QByteArray>>> kept;  // put back at the end
        for (const char* name : {"http_proxy", "https_proxy", "ALL_PROXY", "NO_PROXY", "no_proxy"})
            kept.append(
                {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        const auto putBack = qScopeGuard([&kept] {
            for (const auto& [name, value] : kept) value ? qputenv(name, *value) : qunsetenv(name);
        });
        for (const char* name : {"http_proxy", "https_proxy", "ALL_PROXY"}) qputenv(name, "127.0.0.1:9");
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")));
        chooseCheck();
        QCOMPARE(messages(), QStringList{kCurrent});
        QCOMPARE(server->paths, QStringList{"/updates/zorvik.xml"});

        testing::resetGame();
        server->paths.clear();
        qunsetenv("NO_PROXY");
        qunsetenv("no_proxy");
        qputenv("http_proxy", server->site().toLatin1());  // the server serves as its own proxy
        chooseCheck();
        QCOMPARE(messages(), QStringList{kCurrent});
        QCOMPARE(server->paths, QStringList{server->site() + QStringLiteral("/updates/zorvik.xml")});

        // Failing proxies. The unknown one is under .invalid, with a label over 63 letters that the
        // system's resolver refuses without asking a name server. An https address goes through a
        // tunnel that the proxy (the server again) opens or refuses.
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost, 0));
        const QByteArray refusing = "http://127.0.0.1:" + QByteArray::number(gone.serverPort());
        gone.close();
        const QByteArray proxy = server->site().toLatin1();
        const QString secureSite =
            QString(server->site()).replace(QStringLiteral("http:"), QStringLiteral("https:"));
        const std::tuple<QByteArray, QString, QByteArray, int> failing[] = {
            {"http://" + QByteArray(64, 'x') + ".invalid:3128", server->site(), {}, fw::kUnknownHost},
            {refusing, server->site(), {}, fw::kRefused},
            {proxy, secureSite,
             "HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"z\"\r\n"
             "Content-Length: 0\r\n\r\n",
             fw::kOtherFailure},
            // a tunnel opened, then closed: the failure is the handshake's, not the proxy's
            {proxy, secureSite, "HTTP/1.1 200 Connection established\r\n\r\n", fw::kSecureFailed}};
        for (const auto& [address, site, answer, code] : failing) {
            if (site.startsWith(QStringLiteral("https:")) && !curlSpeaksTls()) continue;
            testing::resetGame();
            server->requests.clear();
            qputenv("http_proxy", address);
            qputenv("https_proxy", address);
            setMakerSite(site);
            if (!answer.isEmpty()) server->serveRaw(answer);
            chooseCheck();
            QVERIFY2(messages() == QStringList{errorMessage(code)},
                     (address + " " + answer.left(12)).constData());
            QVERIFY(answer.isEmpty() || server->requests.value(0).startsWith("CONNECT 127.0.0.1:"));
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
            server->serve(ReplyServer::versionFile(QStringLiteral("1.1")), 200, Mode::Hold);
            chooseCheck(0, [&](updateWindow* w) {
                QPointer<updateWindow> window(w);
                QTRY_VERIFY(server->halfSent);
                closeIt(w);
                QVERIFY(w->isClosed());
                QTRY_VERIFY(server->clientGone());  // dropped at once, while the window still exists
                QVERIFY(window);
            });
            QVERIFY(!fw::Window::ifOpen<updateWindow>());
            server->release();
            testing::drain(20);
            QVERIFY(fw::shownDialogs().isEmpty() && fw::beepCount() == 0 && browser->opened.isEmpty());
        }
    }

    void quittingWhileTheReplyIsOnItsWay_endsTheExchangeSilently() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1")), 200, Mode::Hold);
        fw::Window::setModalHook([&](fw::Window*) {
            QTRY_VERIFY(server->halfSent);
            Menu::get()->choose(*FileQuit());  // ends every running loop, the window's too
        });
        bool endedAtOnce = false;
        QTimer::singleShot(0, [&] {  // quitting ends the application's own loop too: run inside one
            fw::HandlerScope running;
            QPointer<updateWindow> w = updateWindow::get();
            w->ShowModal();
            endedAtOnce = w && w->isClosed() && !w->hp->isBusy();
            if (QTest::currentTestFailed()) QCoreApplication::quit();
        });
        {
            HangGuard guard;
            QCoreApplication::exec();
        }
        fw::Window::setModalHook(nullptr);
        QVERIFY(endedAtOnce);
        QTRY_VERIFY(server->clientGone());
        server->release();
        testing::drain(20);
        QVERIFY(fw::shownDialogs().isEmpty() && fw::beepCount() == 0);
    }

    void askedAgainWhileUp_leavesTheRunningWindowOpen() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, Mode::Hold);
        bool stillUp = false;
        chooseCheck(0, [&](updateWindow* w) {
            QTRY_VERIFY(server->halfSent);
            w->ShowModal();
            stillUp = !w->isClosed() && w->isVisible() && w->hp->isBusy();
            server->release();
        });
        QVERIFY(stillUp);
        QCOMPARE(messages(), QStringList{kCurrent});  // the exchange ran to its end
    }

    void eventsOfAClosedWindowsExchange_neverReachIt() {
        // Closed before it was ever shown, while a handler still runs: the exchange ends all the same.
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1")), 200, Mode::Hold);
        fw::HandlerScope running;
        QPointer<updateWindow> w = updateWindow::get();
        QSignalSpy pages(w->hp, &fw::HTTPSocket::PageReceived), errors(w->hp, &fw::HTTPSocket::Error);
        QTRY_VERIFY(server->halfSent);
        w->Close();
        QTRY_VERIFY(server->clientGone());
        QVERIFY(w && !w->hp->isBusy());
        server->release();
        testing::drain(20);
        QVERIFY(pages.isEmpty() && errors.isEmpty() && fw::shownDialogs().isEmpty() && fw::beepCount() == 0);
    }

    // The game goes on around the check
    void gameWindowsPaint_whileChecking_andMenusWorkAfterwards() {
        playerListWindow* other = playerListWindow::get();
        other->Show();
        struct PaintCounter : QObject {
            int n = 0;
            bool eventFilter(QObject*, QEvent* e) override { return n += e->type() == QEvent::Paint, false; }
        } paints;
        other->installEventFilter(&paints);
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, Mode::Hold);
        chooseCheck(0, [&](updateWindow*) {
            QTRY_VERIFY(server->halfSent);
            paints.n = 0;
            other->update();
            QTRY_VERIFY(paints.n > 0);
            server->release();
        });
        other->removeEventFilter(&paints);
        QCOMPARE(messages(), QStringList{kCurrent});
        QCOMPARE(fw::handlerDepth(), 0);

        bool aboutShown = false;
        fw::Window::setModalHook([&](fw::Window* w) { aboutShown = true, w->Close(); });
        Menu::get()->updateEnabled();
        Menu::get()->choose(*AppleAbout());
        QVERIFY(aboutShown);
    }
};

ZORVIK_TEST(UpdateCheckTest)
#include "test_updatecheck.moc"
