#include <cstdlib>
#include <deque>

#include "fw/clock.h"
#include "fw/random.h"
#include "test_board_support.h"

using namespace boardtest;
using globalsModule::dice;

namespace {
// Whether the pictures of dice i and j lie apart, with at least one free pixel between them.
// Placement keeps 8 or more; the drift of the frames, which tests each die only against the
// dice with lower numbers, may take a few of them away.
bool apart(int j, int i) {
    const int dx = std::abs(dice(j).x - dice(i).x);
    const int dy = std::abs(dice(j).y - dice(i).y);
    return dx >= 65 || dy >= 65;
}

// A random source that gives `script` first, then `rest` for ever; counts the draws.
struct ScriptedRandom {
    std::deque<double> script;
    double rest = 0.5;
    int draws = 0;
    void install() {
        fw::setRandomSource([this] {
            ++draws;
            if (script.empty()) return rest;
            const double v = script.front();
            script.pop_front();
            return v;
        });
    }
};
}  // namespace

class BoardRollTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        startTurn();
    }
    void cleanup() { fw::setRandomSource(nullptr); }

    void freshRoll_placesAllDiceApartInTheRollArea() {
        table()->currentPointsSaved = 450;
        for (int roll = 1; roll <= 150; ++roll) {
            gameWindow::get()->savedSomePoints = 2;
            table()->freshRoll();
            QCOMPARE(played("DiceShake"), roll);
            QCOMPARE(gameWindow::get()->savedSomePoints, 0);
            for (int j = 1; j <= 6; ++j) {
                const dieClass& d = dice(j);
                QVERIFY(d.face >= 1 && d.face <= 6);
                QVERIFY2(d.x >= 210 && d.x <= 500 && d.y >= 10 && d.y <= 310,
                         qPrintable(QString::number(roll)));
                QVERIFY(!d.save && !d.containsPoints && d.link == 0 && d.score == 0);
                for (int i = 1; i < j; ++i) QVERIFY2(apart(j, i), qPrintable(QString("roll %1").arg(roll)));
            }
        }
        QCOMPARE(table()->currentPointsSaved, 450);
        QVERIFY(!table()->rolling());
    }

    void forcedFaces_setTheCountingFaceOnly() {
        fw::seedRandom(99);
        table()->freshRoll();
        QList<QPoint> places;
        for (int i = 1; i <= 6; ++i) places << place(i);

        fw::seedRandom(99);
        testing::forceFaces({6, 5, 4, 3, 2, 1, 3});
        table()->freshRoll();
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(dice(i).face, 7 - i);
            QCOMPARE(place(i), places[i - 1]);
        }
        QCOMPARE(boardClass::forcedFaces().size(), size_t(1));
    }

    void rollWithShelf_keepsShelfDiceAndRollsTheRest() {
        scoreFaces({1, 2, 5, 3, 4, 4});
        clickDie(1);
        clickDie(3);
        const dieClass one = dice(1), three = dice(3);
        testing::forceFaces({2, 4, 6, 1});
        table()->rollTheDice();
        for (const auto& [i, kept] : {std::pair{1, one}, std::pair{3, three}}) {
            const dieClass& d = dice(i);
            QVERIFY(d.save && d.containsPoints);
            QCOMPARE(d.face, kept.face);
            QCOMPARE(QPoint(d.x, d.y), QPoint(kept.x, kept.y));
            QCOMPARE(QPoint(d.oldX, d.oldY), QPoint(kept.oldX, kept.oldY));
            QCOMPARE(d.link, kept.link);
            QCOMPARE(d.score, kept.score);
        }
        QCOMPARE((QList<int>{dice(2).face, dice(4).face, dice(5).face, dice(6).face}),
                 (QList<int>{2, 4, 6, 1}));
        for (int i : {2, 4, 5, 6}) {
            QVERIFY(!dice(i).containsPoints && dice(i).x >= 210);
            for (int j : {2, 4, 5, 6})
                if (j > i) QVERIFY(apart(j, i));
        }
        QCOMPARE(filledSquares(), (QList<int>{1, 2}));

        // All six on the shelf: nothing moves and nothing waits.
        for (int i = 1; i <= 6; ++i) dice(i).save = true;
        const QPoint four = place(4);
        const int start = fw::Ticks();
        table()->rollTheDice();
        QCOMPARE(fw::Ticks() - start, 1);
        QCOMPARE(place(4), four);
        QCOMPARE(dice(4).face, 4);
        QCOMPARE(played("DiceShake"), 2);

        // A fresh roll brings all six back and frees every square.
        table()->freshRoll();
        QVERIFY(filledSquares().isEmpty());
        for (int i = 1; i <= 6; ++i) QVERIFY(!dice(i).save && dice(i).x >= 210 && dice(i).link == 0);
    }

    // Placement rules

    void isOkay_rollAreaBoundsAndClearance() {
        for (const auto& [x, y, ok] : {std::tuple{500, 100, true},
                                       {501, 100, false},
                                       {210, 100, true},
                                       {209, 100, false},
                                       {300, 310, true},
                                       {300, 311, false},
                                       {300, 10, true},
                                       {300, 9, false}})
            QCOMPARE(table()->isOkay(0, x, y), ok);

        dice(1).x = 300;
        dice(1).y = 100;
        for (const auto& [x, y, ok] : {std::tuple{372, 100, true},
                                       {227, 100, true},
                                       {300, 172, true},
                                       {300, 27, true},
                                       {371, 100, false},
                                       {228, 100, false},
                                       {300, 171, false},
                                       {300, 28, false},
                                       {371, 171, false},
                                       {228, 28, false},
                                       {372, 172, true}})
            QVERIFY2(table()->isOkay(1, x, y) == ok, qPrintable(QString("%1,%2").arg(x).arg(y)));
        QVERIFY(table()->isOkay(0, 300, 100));  // die 1 is tested against nothing

        QVERIFY(!table()->checkPoint(292, 100, 300, 100));
        QVERIFY(table()->checkPoint(293, 100, 300, 100));
        QVERIFY(table()->checkPoint(371, 171, 300, 100));
        QVERIFY(!table()->checkPoint(372, 150, 300, 100));
        QVERIFY(!table()->checkPoint(330, 172, 300, 100));
        QVERIFY(!table()->checkPoint(330, 92, 300, 100));
    }

    // A die that cannot move left stays put after 21 tries; a try of 0 pixels is accepted at once.
    void animation_triesAtMost21TimesPerFrame() {
        for (int i = 2; i <= 6; ++i) dice(i).save = true;
        ScriptedRandom blocked{{0.0, 0.0, 0.5}, 0.9};  // face, x = 210, y = 160; then always left
        blocked.install();
        table()->rollTheDice();
        QCOMPARE(place(1), QPoint(210, 160));
        QCOMPARE(blocked.draws, 3 + 4 * (1 + 21 * 2));

        ScriptedRandom still{{0.0, 0.5, 0.5}, 0.9};
        for (int n = 0; n < 4; ++n) still.script.insert(still.script.end(), {0.9, 0.9, 0.1});
        still.install();
        table()->rollTheDice();
        QCOMPARE(place(1), QPoint(362, 160));
        QCOMPARE(still.draws, 3 + 4 * 3);
    }

    // Randomness

    void randomSix_isFair() {
        fw::seedRandom(20240611);
        int counts[7] = {};
        for (int n = 0; n < 60000; ++n) {
            const int f = table()->randomSix();
            QVERIFY(f >= 1 && f <= 6);
            ++counts[f];
        }
        for (int f = 1; f <= 6; ++f)  // 10000 expected; one standard deviation is about 91
            QVERIFY2(counts[f] > 9600 && counts[f] < 10400,
                     qPrintable(QString("face %1: %2").arg(f).arg(counts[f])));

        ScriptedRandom edges{{0.0, 1.0 / 6, 0.5, 0.999999}};
        edges.install();
        QCOMPARE((QList<int>{table()->randomSix(), table()->randomSix(), table()->randomSix(),
                             table()->randomSix()}),
                 (QList<int>{1, 2, 4, 6}));
    }

    void stuckRandomSource_stillPlacesEveryDie() {
        // The same draw every time would keep offering one taken place.
        fw::setRandomSource([] { return 0.0; });
        table()->freshRoll();
        for (int i = 1; i <= 6; ++i) QVERIFY(table()->isOkay(i - 1, dice(i).x, dice(i).y));
    }

    void delay_waitsTheGivenTicks() {
        int start = fw::Ticks();
        table()->delay(0);
        table()->delay(-5);
        QCOMPARE(fw::Ticks() - start, 1);
        start = fw::Ticks();
        table()->delay(5);
        QVERIFY(fw::Ticks() - start >= 6);
    }
};

ZORVIK_TEST(BoardRollTest)
#include "test_board_roll.moc"
