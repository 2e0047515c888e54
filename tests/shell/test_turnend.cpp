#include <QTest>

#include "fw/dialogs.h"
#include "fw/sound.h"
#include "shell/gamesettingswindow.h"
#include "tests/shell/test_turnsupport.h"

using namespace globalsModule;
using namespace turns;

namespace {
const Roster threePeople{{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}, {QStringLiteral("Cy"), 0}};

// Banks whatever the forced roll scores, all dice saved at once.
void rollSaveAndBank(std::initializer_list<int> faces) {
    testing::forceFaces(faces);
    gw()->rollButton->click();
    QTest::keyClick(gw(), ' ');
    QTest::keyClick(gw(), '.');
}

void bust() {
    testing::forceFaces({2, 2, 3, 4, 6, 6});
    gw()->rollButton->click();
}
}  // namespace

// The turn passing round the table, the end of a game, the winner and the next game.
class TurnEndTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void roundComplete_withTargetReached_endsTheGame() {
        QStringList historyAtResults;
        QStringList soundsAtResults;
        fw::setDialogResponder([&](const fw::DialogRecord&) {
            historyAtResults = testing::historyLines();
            soundsAtResults = fw::playedSounds();
            return 0;
        });
        QList<bool> modals;  // whether each modal window was the new-game dialog
        fw::Window::setModalHook([&](fw::Window* w) {
            modals << bool(qobject_cast<gameSettingsWindow*>(w));
            w->Close();
        });

        newGame(threePeople, 1000, 2);
        rollSaveAndBank({1, 1, 1, 1, 1, 1});  // Bob 8000 in mid-round: the others still play
        QCOMPARE(testing::historyLines().last(), QStringLiteral("It is Cy's turn."));
        rollSaveAndBank({5, 5, 5, 5, 2, 3});  // Cy 1000
        QCOMPARE(gPlayerList(3).score, 1000);
        QVERIFY(fw::shownDialogs().isEmpty());
        bust();  // Ann closes the round

        QCOMPARE(fw::shownDialogs().size(), 1);
        QCOMPARE(fw::shownDialogs().first().message, QStringLiteral("The winner is Bob!\n"));
        QCOMPARE(fw::shownDialogs().first().explanation,
                 QStringLiteral(
                     "The final scores are:\n\nAnn... 0 points!\nBob... 8000 points!\nCy... 1000 points!\n"));
        QCOMPARE(soundsAtResults.last(), QStringLiteral("THEATREAPPLAUSE"));
        QCOMPARE(historyAtResults.mid(historyAtResults.size() - 7),
                 (QStringList{QStringLiteral("    Sorry, there are no points in this roll."),
                              QStringLiteral("    Ann's turn is over."), QStringLiteral("    "), rule(),
                              rule(), rule(), QStringLiteral("Game is Over!")}));
        QCOMPARE(historyAtResults.filter(QStringLiteral("Turn number 2:")).size(), 0);

        // The game windows are closed and the new-game dialog was shown.
        QCOMPARE(modals, QList<bool>{true});
        QVERIFY(!fw::Window::ifOpen<playerListWindow>());
        QVERIFY(!fw::Window::ifOpen<gameWindow>());
        QCOMPARE(gPlayerList(2).score, 8000);
        QCOMPARE(gTurnNumber, 2);
    }

    void winner_isTheHighestTotal_firstListedOnATie() {
        fw::Window::setModalHook([](fw::Window* w) { w->Close(); });
        seatPlayers(threePeople, 1000);
        gPlayerList(1).score = 1200;
        gPlayerList(2).score = 1500;
        gPlayerList(3).score = 1500;
        displayWinner();
        QCOMPARE(fw::shownDialogs().last().message, QStringLiteral("The winner is Bob!\n"));
    }

    void nextGame_fromTheResultsDialog_startsAfresh() {
        bool started = false;
        fw::Window::setModalHook([&](fw::Window*) {
            if (started) return;
            started = true;
            newGame(threePeople, 5000, 3);  // what "Start Game" does
        });
        newGame(threePeople, 1000, 1);
        rollSaveAndBank({1, 1, 1, 1, 1, 1});
        bust();
        bust();  // game over: the hook starts the next game from inside the dialog
        testing::drain(5);

        QVERIFY(started);
        QVERIFY(gw()->isVisible());
        QVERIFY(playerListWindow::get()->isVisible());
        QVERIFY(!fw::Window::ifOpen<gameSettingsWindow>());
        QCOMPARE(testing::historyLines(),
                 (QStringList{QStringLiteral("Starting a brand new game..."), QString(), rule(),
                              QStringLiteral("Turn number 1:"), QStringLiteral("It is Cy's turn.")}));
        QCOMPARE(gTurnNumber, 1);
        QCOMPARE(gCurrentPlayer, 3);
        QCOMPARE(gFirstPlayer, 3);
        QCOMPARE(buttons(), turnStart());
        QVERIFY(gw()->personMayAct());
    }

    void openingPlayer_isDrawnUniformlyFromAll() {
        seatPlayers(threePeople, 1000);
        const std::pair<double, int> draws[] = {{0.0, 1},  {0.33, 1}, {0.34, 2},
                                                {0.66, 2}, {0.67, 3}, {0.999999, 3}};
        for (const auto& [r, expected] : draws) {
            fw::setRandomSource([r = r] { return r; });
            QCOMPARE(pickFirstPlayer(), expected);
        }
        fw::setRandomSource(nullptr);

        seatPlayers({{QStringLiteral("A"), 0},
                     {QStringLiteral("B"), 0},
                     {QStringLiteral("C"), 0},
                     {QStringLiteral("D"), 0},
                     {QStringLiteral("E"), 0},
                     {QStringLiteral("F"), 0}},
                    1000);
        int count[7] = {};
        for (int i = 0; i < 6000; ++i) ++count[pickFirstPlayer()];
        for (int p = 1; p <= 6; ++p)
            QVERIFY2(count[p] > 850 && count[p] < 1150, qPrintable(QString::number(count[p])));
    }

    void listsShrinkingUnderAGame_neverReachPastTheList() {
        fw::Window::setModalHook([](fw::Window* w) { w->Close(); });
        newGame({{QStringLiteral("A"), 0},
                 {QStringLiteral("B"), 0},
                 {QStringLiteral("C"), 0},
                 {QStringLiteral("D"), 0}},
                1000, 4);
        // The lists rebuilt with two players while player 4, who also opened, is on turn.
        gPlayerList = fw::ObjList<playerClass>(2);
        for (int i = 1; i <= 2; ++i) {
            gPlayerList.put(i, std::make_shared<playerClass>());
            gPlayerList(i).name = QStringLiteral("P") + QString::number(i);
        }
        QVERIFY(!gw()->personMayAct());
        gw()->rollButton->click();
        QTest::keyClick(gw(), Qt::Key_Return);
        gw()->updateButtons();
        QCOMPARE(row(3).at(3), QString());
        QVERIFY(!isGameOver());

        nextPlayer();  // wraps to player 1, and the round turns over there
        QCOMPARE(gCurrentPlayer, 1);
        QCOMPARE(gTurnNumber, 2);
        QCOMPARE(testing::historyLines().last(), QStringLiteral("It is P1's turn."));
        gPlayerList(2).score = 1000;
        nextPlayer();
        nextPlayer();  // the round ends, so the game can still end
        QCOMPARE(fw::shownDialogs().last().message, QStringLiteral("The winner is P2!\n"));
    }
};

ZORVIK_TEST(TurnEndTest)
#include "test_turnend.moc"
