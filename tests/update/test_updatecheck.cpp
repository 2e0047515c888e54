#include <QLabel>
#include <QProgressBar>

#include "shell/playerlistwindow.h"

#include "tests/update/updatetestsupport.h"

namespace {
const QString kCurrent = QStringLiteral("You are using the current version of Zorvik! No updates are necessary.");

QString offerText(const QString& version, bool free) {
    return QStringLiteral("Version ") + version + QStringLiteral(" is now available. (You are using version ") +
           App()->ShortVersion() + QStringLiteral(".) ") +
           (free ? QStringLiteral("This is a free upgrade. Would you like to automatically download this update "
                                  "(using your web browser)?")
                 : QStringLiteral("This is a paid upgrade. Would you like to automatically download the trial "
                                  "version (using your web browser)?"));
}
}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT
    ReplyServer* server = nullptr;
    NoBrowser* browser = nullptr;

private Q_SLOTS:
    void initTestCase() { setUpApplication(); }
    void init() {
        testing::resetGame();
        server = new ReplyServer;
        browser = new NoBrowser;
        setMakerSite(server->site());
        fw::openedURLs().clear();
    }
    void cleanup() {
        setMakerSite(QString());
        delete browser;
        delete server;
    }

    // The menu command and the window
    void menuCommand_showsTheCheckingWindowModally() {
        QCOMPARE(App()->ShortVersion(), QStringLiteral("1.0.0"));  // the versions below are relative to it
        Menu::get()->updateEnabled();
        QVERIFY(HelpCheckforUpdates()->Enabled());
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, ReplyServer::Mode::Hold);
        bool shown = false;
        chooseCheck(0, [&](updateWindow* w) {
            shown = true;
            QVERIFY(w->isVisible());
            QCOMPARE(w->windowModality(), Qt::ApplicationModal);
            QCOMPARE(w->windowTitle(), QStringLiteral("Update"));
            QCOMPARE(w->content()->size(), QSize(300, 120));
            QCOMPARE(w->StaticText1->text(), QStringLiteral("Checking for updates..."));
            QCOMPARE(w->StaticText1->geometry(), QRect(20, 19, 266, 20));
            QCOMPARE(w->ProgressBar1->geometry(), QRect(20, 46, 260, 12));
            QVERIFY(w->ProgressBar1->isVisible());
            QCOMPARE(w->ProgressBar1->maximum(), 0);  // busy
            QCOMPARE(w->PushButton1->text(), QStringLiteral("Cancel"));
            QCOMPARE(w->PushButton1->geometry(), QRect(208, 80, 72, 20));
            QCOMPARE(w->defaultButton(), w->PushButton1);
            QTRY_VERIFY(server->halfSent);
            QVERIFY(!w->isClosed());  // half a reply is no reply
            server->release();
        });
        QVERIFY(shown);
        QCOMPARE(server->paths, QStringList{QStringLiteral("/updates/zorvik.xml")});
        QCOMPARE(messages(), QStringList{kCurrent});
        QVERIFY(!fw::Window::ifOpen<updateWindow>());
    }

    void sameVersion_isCurrent_inAnyOfItsSpellings() {
        for (const QString& v : {QStringLiteral("1.0.0"), QStringLiteral("1.0"), QStringLiteral("1"),
                                QStringLiteral("1.0.0.9"), QStringLiteral("01.00.000")}) {
            fw::shownDialogs().clear();
            server->serve(ReplyServer::versionFile(v));
            const Seen seen = chooseCheck();
            QCOMPARE(messages(), QStringList{kCurrent});
            QCOMPARE(seen.text, QStringLiteral("This version is current."));
            QVERIFY(!seen.barVisible);
            QCOMPARE(fw::beepCount(), 0);
            QVERIFY(browser->opened.isEmpty());
        }
    }

    // The offer
    void otherVersions_areOffered_lowerOnesToo() {
        struct Case {
            QString version;
            QString free;  // null: no Free element
            bool isFree;
        };
        const Case cases[] = {{QStringLiteral("1.1"), QStringLiteral("Yes"), true},
                              {QStringLiteral("0.9.9"), QStringLiteral("yes"), true},
                              {QStringLiteral("1.0.1"), QStringLiteral(" Yes "), false},
                              {QStringLiteral("2.0.0"), QString(), false},
                              {QStringLiteral("1.2b"), QStringLiteral(""), false}};
        for (const Case& c : cases) {
            fw::shownDialogs().clear();
            server->serve(ReplyServer::versionFile(c.version, QStringLiteral("New & <b>better</b>\n dice"), c.free));
            const Seen seen = chooseCheck(1);  // Cancel
            QCOMPARE(fw::shownDialogs().size(), 1);
            const fw::DialogRecord& offer = fw::shownDialogs().first();
            QCOMPARE(offer.title, QStringLiteral("New version available!"));
            QCOMPARE(offer.message, offerText(c.version, c.isFree));
            QCOMPARE(offer.explanation, QStringLiteral("New & <b>better</b>\n dice"));
            QCOMPARE(offer.buttons, QStringList({QStringLiteral("OK"), QStringLiteral("Cancel"),
                                                 QStringLiteral("Go to Website")}));
            QCOMPARE(seen.text, QStringLiteral("Checking for updates..."));
            QVERIFY(!seen.barVisible);
            QVERIFY(browser->opened.isEmpty());  // Cancel opens nothing
            QVERIFY(!fw::Window::ifOpen<updateWindow>());
            QCOMPARE(fw::beepCount(), 0);
        }
    }

    void actionButton_opensExactlyTheReplysAddress_thenCloses() {
        const QString address = QStringLiteral("https://dl.example/files/zorvik-1.1.tar.gz?from=app&v=1.1");
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1"), QString(), QStringLiteral("Yes"), address));
        chooseCheck(0);
        QCOMPARE(browser->opened, QStringList{address});
        QVERIFY(!fw::Window::ifOpen<updateWindow>());
        QCOMPARE(fw::beepCount(), 0);
    }

    void goToWebsite_opensTheProductPage_andLeavesTheWindowOpen() {
        server->serve(ReplyServer::versionFile(QStringLiteral("1.1")));
        bool stillOpen = false;
        chooseCheck(2, [&](updateWindow* w) {
            QTRY_VERIFY(!fw::shownDialogs().isEmpty());
            QCOMPARE(browser->opened, QStringList{server->site() + QStringLiteral("/zorvik/")});
            QCOMPARE(productPageURL(), server->site() + QStringLiteral("/zorvik/"));
            stillOpen = !w->isClosed() && w->isVisible();
            QCOMPARE(w->StaticText1->text(), QStringLiteral("Checking for updates..."));
            QVERIFY(!w->ProgressBar1->isVisible());
            QTest::mouseClick(w->PushButton1, Qt::LeftButton);
            QVERIFY(w->isClosed());
        });
        QVERIFY(stillOpen);
        QCOMPARE(fw::shownDialogs().size(), 1);
    }

    // The game goes on around the check
    void gameWindowsPaint_whileChecking_andMenusWorkAfterwards() {
        playerListWindow* other = playerListWindow::get();
        other->Show();
        int paints = 0;
        struct PaintCounter : QObject {
            int* n;
            explicit PaintCounter(int* count) : n(count) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++*n;
                return false;
            }
        } counter(&paints);
        other->installEventFilter(&counter);
        server->serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, ReplyServer::Mode::Hold);
        chooseCheck(0, [&](updateWindow*) {
            QTRY_VERIFY(server->halfSent);
            paints = 0;
            other->update();
            QTRY_VERIFY(paints > 0);
            server->release();
        });
        QCOMPARE(messages(), QStringList{kCurrent});
        QCOMPARE(fw::handlerDepth(), 0);

        bool aboutShown = false;
        fw::Window::setModalHook([&](fw::Window* w) {
            aboutShown = true;
            w->Close();
        });
        Menu::get()->updateEnabled();
        Menu::get()->choose(*AppleAbout());
        QVERIFY(aboutShown);
        fw::Window::setModalHook(nullptr);
        other->removeEventFilter(&counter);
    }
};

ZORVIK_TEST(UpdateCheckTest)
#include "test_updatecheck.moc"
