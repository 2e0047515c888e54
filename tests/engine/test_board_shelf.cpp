#include <QRandomGenerator>

#include "fw/dialogs.h"
#include "fw/random.h"
#include "test_board_support.h"

using namespace boardtest;
using globalsModule::dice;

class BoardShelfTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        startTurn();
    }

    // Clicks on scoring dice

    void clickOnGroup_movesItToLowestSquaresAndBack() {
        scoreFaces({4, 4, 4, 1, 2, 3});
        const QList<QPoint> before = {place(1), place(2), place(3), place(4), place(5), place(6)};

        clickDie(2);
        QCOMPARE(events(), QStringList{"added 2"});
        QCOMPARE(played("CLICK"), 1);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(place(i), square(i));
            QVERIFY(dice(i).save);
            QCOMPARE(QPoint(dice(i).oldX, dice(i).oldY), before[i - 1]);
        }
        for (int i = 4; i <= 6; ++i) QCOMPARE(place(i), before[i - 1]);
        QCOMPARE(filledSquares(), (QList<int>{1, 2, 3}));

        clickDie(3);
        QCOMPARE(events(), (QStringList{"added 2", "removed 3"}));
        QCOMPARE(played("CLICK"), 2);
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(place(i), before[i - 1]);
            QVERIFY(!dice(i).save);
        }
        QVERIFY(filledSquares().isEmpty());
        QVERIFY(dice(1).containsPoints);
        QCOMPARE(dice(1).score, 400);
        QCOMPARE(fw::beepCount(), 0);
    }

    void groupTakenBack_freesLowestSquaresForTheNextGroup() {
        scoreFaces({1, 5, 2, 2, 2, 6});
        clickDie(1);
        clickDie(3);
        QCOMPARE(place(1), square(1));
        QCOMPARE((QList<QPoint>{place(3), place(4), place(5)}),
                 (QList<QPoint>{square(2), square(3), square(4)}));

        clickDie(1);  // back from square 1
        clickDie(2);  // the 5 takes square 1 again, before square 5 that was never used
        QCOMPARE(place(2), square(1));
        clickDie(1);
        QCOMPARE(place(1), square(5));
        QCOMPARE(filledSquares(), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(events(), (QStringList{"added 1", "added 3", "removed 1", "added 2", "added 1"}));
        QCOMPARE(dice(6).save, false);
    }

    void twoSingleOnes_areTwoGroups() {
        scoreFaces({1, 1, 2, 3, 4, 6});
        clickDie(2);
        QCOMPARE(place(2), square(1));
        QVERIFY(!dice(1).save);
        QCOMPARE(events(), QStringList{"added 2"});
    }

    void saveAllPoints_movesEachGroupOnceInOrder() {
        scoreFaces({5, 2, 2, 2, 3, 4});
        const QPoint five = place(5), six = place(6);
        table()->saveAllPoints();
        QCOMPARE(events(), (QStringList{"added 1", "added 2"}));
        QCOMPARE(played("CLICK"), 2);
        for (int i = 1; i <= 4; ++i) QCOMPARE(place(i), square(i));
        QCOMPARE(place(5), five);
        QCOMPARE(place(6), six);
        QCOMPARE(filledSquares(), (QList<int>{1, 2, 3, 4}));
    }

    // Clicks that move nothing

    void clickOnDieWithoutPoints_beepsAndExplains() {
        scoreFaces({4, 4, 4, 1, 2, 3});
        const QPoint before = place(5);
        clickDie(5);
        QCOMPARE(fw::beepCount(), 1);
        QCOMPARE(fw::shownDialogs().size(), 1);
        QCOMPARE(fw::shownDialogs().first().message,
                 QStringLiteral("You may only move dice that contain points."));
        QCOMPARE(played("CLICK"), 0);
        QVERIFY(events().isEmpty());
        QCOMPARE(place(5), before);
        QVERIFY(filledSquares().isEmpty());
    }

    void clickWhereNoDieLies_doesNothing() {
        scoreFaces({4, 4, 4, 1, 2, 3});
        for (const QPoint& p : {square(5) + QPoint(32, 32), QPoint(200, 150), QPoint(560, 360), QPoint(1, 1)})
            click(p);
        QCOMPARE(fw::beepCount(), 0);
        QVERIFY(fw::shownDialogs().isEmpty());
        QVERIFY(fw::playedSounds().isEmpty());
        QVERIFY(events().isEmpty());
    }

    // A die set aside in an earlier roll of the turn has no group in the new scoring: it stays.
    void dieFromEarlierRoll_staysOnShelf() {
        scoreFaces({1, 2, 3, 4, 6, 6});
        clickDie(1);
        testing::forceFaces({5, 2, 3, 4, 6});
        table()->rollTheDice();
        QCOMPARE(globalsModule::calcRollScore(false, false), 50);
        QCOMPARE(dice(1).link, 0);
        events().clear();
        fw::playedSounds().clear();

        clickDie(1);
        table()->moveThisDie(1, false);
        QCOMPARE(place(1), square(1));
        QVERIFY(dice(1).save);
        QVERIFY(events().isEmpty());
        QCOMPARE(played("CLICK"), 0);
        QCOMPARE(fw::beepCount(), 0);

        // The new group comes and goes alone; the old die and the dice without points stay.
        const QPoint three = place(3);
        clickDie(2);
        QCOMPARE(place(2), square(2));
        clickDie(2);
        QCOMPARE(events(), (QStringList{"added 2", "removed 2"}));
        QCOMPARE(place(1), square(1));
        QCOMPARE(place(3), three);
        QCOMPARE(filledSquares(), QList<int>{1});
        QVERIFY(!dice(3).save && !dice(3).containsPoints);
    }

    void clickBeforeTurnsFirstRoll_isIgnored() {
        scoreFaces({4, 4, 4, 1, 2, 3});
        gameWindow::get()->firstRoll = true;
        clickDie(1);
        clickDie(5);
        QVERIFY(events().isEmpty());
        QCOMPARE(fw::beepCount(), 0);
        QVERIFY(fw::shownDialogs().isEmpty());
        QVERIFY(!dice(1).save);
        gameWindow::get()->firstRoll = false;
        clickDie(1);
        QCOMPARE(events(), QStringList{"added 1"});
    }

    // A click that reaches the table while the dice roll is not acted upon.
    void clickDuringRoll_isIgnored() {
        scoreFaces({1, 2, 3, 4, 6, 6});
        clickDie(1);
        events().clear();
        table()->personGate = nullptr;  // no turn rule in the way: the roll itself refuses
        QRandomGenerator rng(7);
        int draws = 0;
        fw::setRandomSource([&] {
            if (++draws == 20) {
                clickDie(1);
                clickDie(2);
            }
            return rng.generateDouble();
        });
        table()->rollTheDice();
        fw::setRandomSource(nullptr);
        QVERIFY(draws > 20);
        QVERIFY(events().isEmpty());
        QVERIFY(dice(1).save);
        QCOMPARE(place(1), square(1));
        QCOMPARE(fw::beepCount(), 0);
        QVERIFY(fw::shownDialogs().isEmpty());
        QVERIFY(!table()->rolling());
        clickDie(1);
        QCOMPARE(events(), QStringList{"removed 1"});
    }
};

ZORVIK_TEST(BoardShelfTest)
#include "test_board_shelf.moc"
