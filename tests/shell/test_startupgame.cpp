#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "engine/board.h"
#include "engine/globals.h"
#include "fw/dialogs.h"
#include "fw/menu.h"
#include "fw/prefs.h"
#include "fw/random.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/gamewindow.h"
#include "shell/menuholderwindow.h"
#include "shell/playerlistwindow.h"
#include "tests/shell/test_startupscript.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
using testing::prefsPath;
using testing::readPrefs;
const QByteArray kAnnAndBen = "2\ntrue\n0\nAnn\ntrue\n0\nBen\n1000\n";  // two people, 1000 to win

QString onTurn() {
    return gCurrentPlayer >= 1 && gCurrentPlayer <= gPlayerList.ubound() ? gPlayerList(gCurrentPlayer).name
                                                                         : QString();
}

int scoreOf(const QString& name) {
    for (int i = 1; i <= gPlayerList.ubound(); ++i)
        if (gPlayerList(i).name == name) return gPlayerList(i).score;
    return -1;
}

// A person's turn has begun and waits for the person.
bool annMayRoll() {
    gameWindow* w = fw::Window::ifOpen<gameWindow>();
    return w && w->isVisible() && onTurn() == QStringLiteral("Ann") && w->personMayAct() &&
           w->rollButton->isEnabled() && !w->stopButton->isEnabled();
}

// Return typed where the keyboard is, the focused control or else the active window: whether it
// rolled the dice of the game window.
bool returnRolls(const std::initializer_list<int>& faces) {
    QWidget* keyboard =
        QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    gameWindow* w = fw::Window::ifOpen<gameWindow>();
    if (!keyboard || !w) return false;
    const int rolls = w->rollNumber;
    testing::forceFaces(faces);
    QTest::keyClick(keyboard, Qt::Key_Return);
    return w->rollNumber == rolls + 1;
}

// The program run through the script's steps until it quits: its exit code.
int runToQuit(Script& script) {
    script.add(QStringLiteral("the program quits"), [] { return false; });
    script.start();
    return runApplication(0, nullptr);
}

// Ben's turn waits for him: his roll scores nothing, which ends a game that Ann has won.
bool benBusts() {
    gameWindow* w = fw::Window::ifOpen<gameWindow>();
    if (!w || onTurn() != QStringLiteral("Ben") || !w->personMayAct()) return false;
    testing::forceFaces({2, 3, 4, 6, 2, 3});
    QTest::keyClick(w, Qt::Key_Return);
    return true;
}
}  // namespace

// The real program, from its start to Quit: the first dialog, a turn played with the keys.
class EndToEndTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        QFile::remove(prefsPath());
    }

    void firstStart_playATurnWithTheKeys_quit_rosterRemembered() {
        Script script;
        int dialogs = 0;
        fw::Window::setModalHook([&](fw::Window* w) {
            auto* d = qobject_cast<gameSettingsWindow*>(w);
            if (!script.check(d && ++dialogs == 1, QStringLiteral("only the first dialog"))) {
                w->Close();
                return;
            }
            script.check(d->playerListBox->topLevelItemCount() == 0 && !d->okayButton->isEnabled(),
                         QStringLiteral("empty roster at the first start"));
            QTest::keyClicks(d->nameField, QStringLiteral("Ann"));
            QTest::mouseClick(d->addButton, Qt::LeftButton);
            d->playerKindPopup->setCurrentText(QStringLiteral("CPU: Clever"));
            QTest::keyClicks(d->nameField, QStringLiteral("Robo"));
            QTest::mouseClick(d->addButton, Qt::LeftButton);
            d->roundSizePopup->setCurrentText(QStringLiteral("5000"));
            QTest::keyClick(d, Qt::Key_Return);
        });

        script.add(QStringLiteral("Ann's turn begins"), [&] {
            if (!annMayRoll()) return false;
            gameWindow* w = gameWindow::get();
            script.check(fw::Window::ifOpen<gameSettingsWindow>() == nullptr,
                         QStringLiteral("dialog closed"));
            script.check(w->layout()->menuBar() && playerListWindow::get()->layout()->menuBar(),
                         QStringLiteral("game windows carry the menus"));
            script.check(playerListWindow::get()->isVisible(), QStringLiteral("player list shown"));
            script.check(!fw::Window::ifOpen<menuHolderWindow>(), QStringLiteral("no holder beside a game"));
            script.check(testing::historyLines().contains(QStringLiteral("Starting a brand new game...")),
                         QStringLiteral("history"));
            script.check(gRoundSize == 5000 && scoreOf(QStringLiteral("Robo")) >= 0,
                         QStringLiteral("game set"));

            testing::forceFaces({1, 1, 1, 2, 3, 4});
            QTest::keyClick(w, Qt::Key_Return);  // Roll
            script.check(w->saveAllButton->isEnabled(), QStringLiteral("three ones score"));
            QTest::keyClick(w, Qt::Key_Space);  // Save All Scoring Dice
            script.check(w->stopButton->isEnabled(), QStringLiteral("1000 may be banked"));
            QTest::keyClick(w, Qt::Key_Period);  // Stop Rolling
            script.check(scoreOf(QStringLiteral("Ann")) == 1000, QStringLiteral("Ann banked 1000"));
            return true;
        });
        script.add(QStringLiteral("Robo plays, then Ann again"), [&] {
            if (!annMayRoll()) return false;
            script.check(testing::historyLines().contains(QStringLiteral("It is Robo's turn.")),
                         QStringLiteral("Robo had a turn"));
            script.check(scoreOf(QStringLiteral("Ann")) == 1000, QStringLiteral("Ann keeps 1000"));
            FileQuit()->action()->trigger();
            return true;
        });
        script.add(QStringLiteral("the program quits"), [] { return false; });
        script.start();

        const int code = runApplication(0, nullptr);
        QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
        QCOMPARE(code, 0);
        QCOMPARE(script.current(), QStringLiteral("the program quits"));
        QCOMPARE(dialogs, 1);
        QCOMPARE(readPrefs(), QByteArray("2\ntrue\n0\nAnn\ntrue\n2\nRobo\n5000\n"));
        for (fw::Window* w : fw::Window::allOpen()) QVERIFY(!w->isVisible());
    }

    void gameOver_thenCancel_leavesTheMenuHolder_newGameDropsIt() {
        testing::writePrefs(kAnnAndBen);
        Script script;
        int dialogs = 0;
        fw::Window::setModalHook([&](fw::Window* w) {
            auto* d = qobject_cast<gameSettingsWindow*>(w);
            ++dialogs;
            if (!d || dialogs == 2) {
                w->Close();  // the dialog after the game, closed as its close box does
            } else {
                fw::setRandomSource([] { return 0.0; });  // Ann opens
                d->okayButton->Push();
                fw::setRandomSource(nullptr);
            }
        });
        script.add(QStringLiteral("Ann reaches 1000"), [&] {
            if (!annMayRoll()) return false;
            testing::forceFaces({1, 1, 1, 2, 3, 4});
            QTest::keyClick(gameWindow::get(), Qt::Key_Return);
            QTest::keyClick(gameWindow::get(), Qt::Key_Space);
            QTest::keyClick(gameWindow::get(), Qt::Key_Period);
            return true;
        });
        script.add(QStringLiteral("Ben's roll scores nothing: the game is over"), [&] {
            if (!benBusts()) return false;
            script.check(dialogs == 2, QStringLiteral("the dialog came again"));
            return true;
        });
        script.add(QStringLiteral("only the holder is left"), [&] {
            menuHolderWindow* holder = fw::Window::ifOpen<menuHolderWindow>();
            if (!holder || !holder->isVisible()) return false;
            script.check(!fw::Window::ifOpen<gameWindow>() || !gameWindow::get()->isVisible(),
                         QStringLiteral("game window gone"));
            script.check(fw::shownDialogs().size() == 1 &&
                             fw::shownDialogs().first().message == QStringLiteral("The winner is Ann!\n"),
                         QStringLiteral("winner named"));
            FileNewGame()->action()->trigger();  // Start Game again
            return true;
        });
        script.add(QStringLiteral("a new game drops the holder"), [&] {
            if (!annMayRoll()) return false;
            script.check(dialogs == 3 && gTurnNumber == 1, QStringLiteral("new game"));
            return !fw::Window::ifOpen<menuHolderWindow>();
        });
        script.add(QStringLiteral("quit"), [] {
            FileQuit()->action()->trigger();
            return true;
        });
        script.add(QStringLiteral("the program quits"), [] { return false; });
        script.start();

        QCOMPARE(runApplication(0, nullptr), 0);
        QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
        QCOMPARE(script.current(), QStringLiteral("the program quits"));
        QCOMPARE(dialogs, 3);
    }

    void everyGameStartedFromTheDialog_returnRollsAtOnce() {
        testing::writePrefs(kAnnAndBen);
        Script script;
        int dialogs = 0;
        fw::Window::setModalHook([&](fw::Window* w) {
            ++dialogs;
            auto* d = qobject_cast<gameSettingsWindow*>(w);
            if (!d) return w->Close();
            fw::setRandomSource([] { return 0.0; });  // Ann opens
            QTest::mouseClick(d->okayButton, Qt::LeftButton);
            fw::setRandomSource(nullptr);
        });
        // The game started by dialog number `dialog` has the keyboard at its dice table.
        const auto game = [&](const QString& name, int dialog, std::function<void()> then) {
            script.add(name, [&script, &dialogs, dialog, then] {
                if (dialogs != dialog || !annMayRoll()) return false;
                QCoreApplication::processEvents();  // a person types after the desktop has moved the keyboard
                script.check(QApplication::activeWindow() == gameWindow::get(), QStringLiteral("active"));
                script.check(returnRolls({1, 1, 1, 2, 3, 4}), QStringLiteral("Return rolled"));
                then();
                return true;
            });
        };
        game(QStringLiteral("first game"), 1, [] {  // Ann wins with 1000
            QTest::keyClick(gameWindow::get(), Qt::Key_Space);
            QTest::keyClick(gameWindow::get(), Qt::Key_Period);
        });
        script.add(QStringLiteral("Ben busts: the game is over"), benBusts);
        game(QStringLiteral("second game, from the dialog after the first"), 2,
             [] { FileNewGame()->action()->trigger(); });
        game(QStringLiteral("third game, started over a running one"), 3,
             [] { FileQuit()->action()->trigger(); });
        const int code = runToQuit(script);
        QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
        QCOMPARE(dialogs, 3);
        QCOMPARE(code, 0);
    }
};

ZORVIK_TEST(EndToEndTest)
#include "test_startupgame.moc"
