#include "tests/help/overmodal.h"
#include "tests/update/updatetestsupport.h"

// The manual stays usable while the update window waits for a reply that does not come.
class HelpOverUpdateTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        setUpApplication();
    }
    void cleanup() {
        fw::Window::setModalHook(nullptr);
        setMakerSite(QString());
    }

    void waitingCheck_leavesTheManualUsable_andCancelEndsIt() {
        ReplyServer server;
        setMakerSite(server.site());
        server.serve(ReplyServer::versionFile(QStringLiteral("1.0.0")), 200, ReplyServer::Mode::Hold);
        QStringList failed;
        bool shown = false;
        fw::Window::setModalHook([&](fw::Window* w) {
            shown = true;
            auto* update = qobject_cast<updateWindow*>(w);
            if (QTest::qWaitFor([&] { return server.halfSent; }))
                failed = helptest::useHelpOver(update);
            else
                failed << QStringLiteral("no request reached the server");
            helptest::click(update->PushButton1, QPoint(5, 5));  // Cancel
            if (!update->isClosed()) {
                failed << QStringLiteral("Cancel did not close the window");
                update->Close();
            }
        });
        Menu::get()->updateEnabled();
        Menu::get()->choose(*HelpCheckforUpdates());
        QVERIFY(shown);
        QCOMPARE(failed.join(QStringLiteral("; ")), QString());
        QVERIFY(!fw::Window::ifOpen<updateWindow>());
        QVERIFY(fw::shownDialogs().isEmpty());  // cancelled: no message
        QTRY_VERIFY(server.clientGone());
    }
};

ZORVIK_TEST(HelpOverUpdateTest)
#include "test_helpoverupdate.moc"
