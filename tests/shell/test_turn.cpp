#include <QTest>
#include <QTimer>

#include "fw/sound.h"
#include "tests/shell/test_turnsupport.h"

using namespace globalsModule;
using namespace turns;

namespace {
QStringList lines(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts) out << QString::fromUtf8(t);
    return out;
}

void key(char c) { QTest::keyClick(gw(), c); }
}  // namespace

// A person's turns played with the buttons, the keys and clicks on the dice.
class TurnTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        fw::Window::setModalHook([](fw::Window* w) { w->Close(); });
    }

    void firstTurn_startsCleanWhateverTheLastTurnLeft() {
        seatPlayers({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000);
        // An interrupted turn of an earlier game: a scoring die in the roll area, points set aside.
        testing::setFaces({1, 2, 3, 4, 6, 6});
        dice(1).containsPoints = true;
        dice(1).link = 2;
        dice(1).score = 100;
        gw()->savedSomePoints = 2;
        gw()->playingSurface->currentPointsSaved = 500;
        startWith(1);

        QCOMPARE(testing::historyLines(),
                 (QStringList{QStringLiteral("Starting a brand new game..."), QString(), rule(),
                              QStringLiteral("Turn number 1:"), QStringLiteral("It is Ann's turn.")}));
        QCOMPARE(buttons(), turnStart());
        QCOMPARE(gw()->savedSomePoints, 0);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 0);
        QCOMPARE(row(0), (QStringList{QStringLiteral("Ann"), QStringLiteral("0"), QStringLiteral("0"),
                                      QStringLiteral("0")}));
        QCOMPARE(row(1), (QStringList{QStringLiteral("Bob"), QStringLiteral("-"), QStringLiteral("-"),
                                      QStringLiteral("0")}));
        QVERIFY(playerListWindow::get()->ListBox1->topLevelItem(0)->font(0).bold());
        QVERIFY(!playerListWindow::get()->ListBox1->topLevelItem(1)->font(0).bold());

        // Before the first roll the dice are the last turn's: no click, key or button moves them.
        clickDie(1);
        key(' ');
        key('.');
        QVERIFY(!dice(1).save);
        QVERIFY(fw::playedSounds().isEmpty());
        QCOMPARE(testing::historyLines().size(), 5);
        QCOMPARE(buttons(), turnStart());
    }

    void personTurn_walksEveryButtonState() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000, 1);
        const QStringList rolledNothingSaved{QStringLiteral("0 Roll again"),
                                             QStringLiteral("1 Save All Scoring Dice"),
                                             QStringLiteral("0 Stop Rolling")};

        // Return presses Roll: a fresh roll of six.
        testing::forceFaces({1, 5, 2, 3, 3, 6});
        QTest::keyClick(gw(), Qt::Key_Return);
        QCOMPARE(historyFrom(5), lines({"", "Roll number 1:", "    Score for this turn so far: 0",
                                        "    You rolled:  1 5 2 3 3 6 ", "    There is one 1",
                                        "    There is one 5", "    Total of this Roll: 150"}));
        QCOMPARE(buttons(), rolledNothingSaved);
        QCOMPARE(row(0), (QStringList{QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("0"),
                                      QStringLiteral("0")}));

        // Nothing set aside yet: Return and the stop keys do nothing.
        QTest::keyClick(gw(), Qt::Key_Return);
        key('/');
        QCOMPARE(testing::historyLines().size(), 12);

        // A group to the shelf and back leaves everything as it was.
        clickDie(1);
        QVERIFY(dice(1).save);
        QCOMPARE(gw()->savedSomePoints, 1);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 100);
        QCOMPARE(buttons(),
                 (QStringList{QStringLiteral("1 Roll again"), QStringLiteral("1 Save All Scoring Dice"),
                              QStringLiteral("0 Stop Rolling")}));
        QCOMPARE(row(0).at(2), QStringLiteral("100"));
        clickDie(1);
        QVERIFY(!dice(1).save);
        QCOMPARE(gw()->savedSomePoints, 0);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 0);
        QCOMPARE(buttons(), rolledNothingSaved);
        clickDie(1);

        // Under 350 points the stop keys bank nothing; Space saves the rest.
        key('.');
        key(',');
        QCOMPARE(gPlayerList(1).score, 0);
        key(' ');
        QVERIFY(dice(2).save);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 150);
        QCOMPARE(buttons(),
                 (QStringList{QStringLiteral("1 Roll again"), QStringLiteral("0 Save All Scoring Dice"),
                              QStringLiteral("0 Stop Rolling")}));

        testing::forceFaces({5, 5, 5, 2});
        gw()->rollButton->click();
        QCOMPARE(
            historyFrom(12),
            lines({"    Ann saves 1 5 ", "    ", "Roll number 2:", "    Score for this turn so far: 150",
                   "    You rolled:  5 5 5 2 ", "    There are three 5's", "    Total of this Roll: 500"}));
        QCOMPARE(buttons(), rolledNothingSaved);  // 150 set aside, but nothing since this roll

        clickDie(4);  // the three 5s move together
        QVERIFY(dice(3).save && dice(4).save && dice(5).save && !dice(6).save);
        QCOMPARE(buttons(),
                 (QStringList{QStringLiteral("1 Roll again"), QStringLiteral("0 Save All Scoring Dice"),
                              QStringLiteral("1 Stop Rolling")}));
        key('/');
        QCOMPARE(historyFrom(19), lines({"    Ann saves 1 5 5 5 5 ", "    ", "    Ann scored 650 points!",
                                         "    Ann's turn is over.", "", "-------------------------", "",
                                         "Turn number 1:", "It is Bob's turn."}));
        QCOMPARE(gPlayerList(1).score, 650);
        QCOMPARE(row(0), (QStringList{QStringLiteral("Ann"), QStringLiteral("500"), QStringLiteral("650"),
                                      QStringLiteral("650")}));
        QCOMPARE(buttons(), turnStart());
        QCOMPARE(gw()->savedSomePoints, 0);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 0);

        // Bob's first roll scores nothing: no ZORVIK, no sound; round 2 begins with Ann.
        testing::forceFaces({2, 2, 3, 4, 6, 6});
        gw()->rollButton->click();
        QCOMPARE(historyFrom(28),
                 lines({"    ", "Roll number 1:", "    Score for this turn so far: 0",
                        "    You rolled:  2 2 3 4 6 6 ", "    Total of this Roll: 0",
                        "    Sorry, there are no points in this roll.", "    Bob's turn is over.", "    ",
                        "-------------------------", "", "Turn number 2:", "It is Ann's turn."}));
        QCOMPARE(buttons(), turnStart());
        QCOMPARE(row(1), (QStringList{QStringLiteral("Bob"), QStringLiteral("0"), QStringLiteral("0"),
                                      QStringLiteral("0")}));

        // Ann loses 1000 set aside: ZORVIK and the boink.
        testing::forceFaces({1, 1, 1, 2, 3, 4});
        gw()->rollButton->click();
        clickDie(2);
        testing::forceFaces({2, 3, 4});
        gw()->rollButton->click();
        QCOMPARE(historyFrom(52), lines({"    Sorry, there are no points in this roll.", "    Ann ZORVIK!",
                                         "    Ann's turn is over.", "    ", "-------------------------", "",
                                         "Turn number 2:", "It is Bob's turn."}));
        QCOMPARE(fw::playedSounds().filter(QStringLiteral("BOINK04")).size(), 1);
        QCOMPARE(gPlayerList(1).score, 650);

        // Bob loses 100 on a later roll: no ZORVIK under 350.
        testing::forceFaces({1, 2, 3, 4, 6, 6, 2, 3, 4, 6, 6});
        gw()->rollButton->click();
        key(' ');
        gw()->rollButton->click();
        QVERIFY(!testing::historyLines().contains(QStringLiteral("    Bob ZORVIK!")));
        QCOMPARE(fw::playedSounds().filter(QStringLiteral("BOINK04")).size(), 1);
        QCOMPARE(testing::historyLines().last(), QStringLiteral("It is Ann's turn."));
        QCOMPARE(testing::historyLines().at(testing::historyLines().size() - 2),
                 QStringLiteral("Turn number 3:"));
    }

    void allSixOnTheShelf_rollsSixAgainAndKeepsThePoints() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000, 1);
        testing::forceFaces({1, 1, 1, 5, 5, 5});
        gw()->rollButton->click();
        key(' ');
        QVERIFY(gw()->allSaved());
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 1500);
        testing::forceFaces({2, 3, 4, 6, 6, 1});
        gw()->rollButton->click();
        const QStringList h = testing::historyLines();
        QCOMPARE(h.mid(h.indexOf(QStringLiteral("Roll number 2:")) - 2, 5),
                 lines({"    Ann saves 1 1 1 5 5 5 ", "    ", "Roll number 2:",
                        "    Score for this turn so far: 1500", "    You rolled:  2 3 4 6 6 1 "}));
        for (int i = 1; i <= 6; ++i) QVERIFY(!dice(i).save);
        clickDie(6);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 1600);
        key('.');
        QCOMPARE(testing::historyLines().value(h.size()), QStringLiteral("    Ann saves 1 "));
        QCOMPARE(gPlayerList(1).score, 1600);
    }

    void whileTheDiceRoll_noInputCounts() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}}, 1000, 1);
        // A timer fires during the roll's yields: the gates hold, and the buttons do not re-enter.
        bool gateDuringRoll = true;
        QTimer::singleShot(0, gw(), [&] {
            gateDuringRoll = gw()->personMayAct();
            gw()->rollButton->click();
            gw()->saveAllButton->click();
        });
        testing::forceFaces({1, 5, 2, 3, 3, 6});
        gw()->rollButton->click();
        QVERIFY(!gateDuringRoll);
        QCOMPARE(testing::historyLines().filter(QStringLiteral("Roll number")).size(), 1);
        QVERIFY(!dice(1).save && !dice(2).save);
        QVERIFY(gw()->personMayAct());
    }

    void inputMetInAHandlersYield_isDropped() {
        newGame({{QStringLiteral("Ann"), 0}, {QStringLiteral("Bob"), 0}, {QStringLiteral("Cy"), 0}}, 5000, 1);
        testing::forceFaces({1, 1, 1, 2, 3, 4});
        gw()->rollButton->click();
        clickDie(1);
        QCOMPARE(gw()->playingSurface->currentPointsSaved, 1000);
        // A second press arriving while the bank's handler yields must not bank again.
        QTimer::singleShot(0, gw(), [] {
            gw()->stopButton->click();
            key('.');
            QTest::keyClick(gw(), Qt::Key_Return);
        });
        gw()->stopButton->click();
        QCOMPARE(gPlayerList(1).score, 1000);
        QCOMPARE(testing::historyLines().filter(QStringLiteral(" scored ")).size(), 1);
        QCOMPARE(testing::historyLines().filter(QStringLiteral("Ann saves")).size(), 1);
        QCOMPARE(gCurrentPlayer, 2);
        QCOMPARE(state(gw()->rollButton), QStringLiteral("1 Roll"));
    }
};

ZORVIK_TEST(TurnTest)
#include "test_turn.moc"
