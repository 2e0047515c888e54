#include <QTest>

#include "engine/globals.h"
#include "fw/sound.h"
#include "tests/support/testsupport.h"

using namespace globalsModule;

namespace {
QList<int> links() {
    QList<int> l;
    for (int i = 1; i <= 6; ++i) l << dice(i).link;
    return l;
}
QList<int> scores() {
    QList<int> l;
    for (int i = 1; i <= 6; ++i) l << dice(i).score;
    return l;
}
int whistles() { return int(fw::playedSounds().count(QStringLiteral("WHISTLEAPPRECIATIVE"))); }
}  // namespace

class ScoringTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void straight_scoresAllSixAsOneGroup() {
        testing::setFaces({2, 3, 4, 5, 6, 1});
        QCOMPARE(calcRollScore(true, false), 2000);
        QCOMPARE(testing::historyLines(), (QStringList{QStringLiteral("You rolled:  2 3 4 5 6 1 "),
                                                       QStringLiteral("That's a straight!"),
                                                       QStringLiteral("Total of this Roll: 2000")}));
        QCOMPARE(links(), (QList<int>{1, 1, 1, 1, 1, 1}));
        QCOMPARE(scores(), (QList<int>{2000, 2000, 2000, 2000, 2000, 2000}));
        QCOMPARE(whistles(), 1);
    }

    void straight_needsAllSixDice() {
        testing::setFaces({1, 2, 3, 4, 5, 6});
        dice(6).save = true;
        dice(6).containsPoints = true;
        dice(6).score = 600;
        QCOMPARE(calcRollScore(true, false), 150);
        QCOMPARE(testing::historyLines().first(), QStringLiteral("You rolled:  1 2 3 4 5 "));
        // The shelf die keeps its points and mark but leaves its group.
        QCOMPARE(dice(6).link, 0);
        QCOMPARE(dice(6).score, 600);
        QVERIFY(dice(6).containsPoints);
    }

    void nOfAKind_everyFaceAndCount_data() {
        QTest::addColumn<int>("face");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("points");
        const int table[6][4] = {{1000, 2000, 4000, 8000}, {200, 400, 800, 1600},   {300, 600, 1200, 2400},
                                 {400, 800, 1600, 3200},   {500, 1000, 2000, 4000}, {600, 1200, 2400, 4800}};
        for (int f = 1; f <= 6; ++f)
            for (int n = 3; n <= 6; ++n) QTest::addRow("%d x%d", f, n) << f << n << table[f - 1][n - 3];
    }
    void nOfAKind_everyFaceAndCount() {
        QFETCH(int, face);
        QFETCH(int, count);
        QFETCH(int, points);
        // Fill the other dice with non-scoring faces that make no kind of their own.
        const int fillers[] = {2, 3, 4, 6};
        int k = 0;
        for (int i = 1; i <= 6; ++i) {
            dice(i).save = false;
            dice(i).containsPoints = false;
            if (i <= count) {
                dice(i).face = face;
            } else {
                while (fillers[k] == face) ++k;
                dice(i).face = fillers[k++];
            }
        }
        const int total = calcRollScore(true, false);
        QCOMPARE(total, points);
        const QStringList words{QString(),
                                QString(),
                                QString(),
                                QStringLiteral("three"),
                                QStringLiteral("four"),
                                QStringLiteral("five"),
                                QStringLiteral("six")};
        QVERIFY(testing::historyLines().contains(
            QStringLiteral("There are %1 %2's").arg(words[count]).arg(face)));
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(dice(i).containsPoints, i <= count);
            QCOMPARE(dice(i).score, i <= count ? points : 0);
            QCOMPARE(dice(i).link == dice(1).link, i <= count);
        }
        QCOMPARE(whistles(), points >= 1000 ? 1 : 0);
    }

    void singlesAndKinds_mix() {
        testing::setFaces({5, 5, 5, 2, 3, 1});
        QCOMPARE(calcRollScore(true, false), 600);
        QCOMPARE(
            testing::historyLines(),
            (QStringList{QStringLiteral("You rolled:  5 5 5 2 3 1 "), QStringLiteral("There is one 1"),
                         QStringLiteral("There are three 5's"), QStringLiteral("Total of this Roll: 600")}));
        QCOMPARE(dice(6).score, 100);
        QCOMPARE(dice(1).link, dice(2).link);
        QCOMPARE(dice(2).link, dice(3).link);
        QVERIFY(dice(6).link != dice(1).link);
        QCOMPARE(scores(), (QList<int>{500, 500, 500, 0, 0, 100}));
        QCOMPARE(links()[3], 0);
        QCOMPARE(whistles(), 0);
    }

    void pairsOfOnesAndFives_areSeparateGroups() {
        testing::setFaces({1, 5, 2, 1, 5, 3});
        QCOMPARE(calcRollScore(true, false), 300);
        QCOMPARE(testing::historyLines().mid(1, 2),
                 (QStringList{QStringLiteral("There are two 1's"), QStringLiteral("There are two 5's")}));
        QCOMPARE(scores(), (QList<int>{100, 50, 0, 100, 50, 0}));
        const QList<int> l = links();
        QCOMPARE(QSet<int>({l[0], l[1], l[3], l[4]}).size(), 4);
        QCOMPARE(l[2], 0);
        QCOMPARE(l[5], 0);
    }

    void singleOneAndFive_andFourFivesWithPair() {
        testing::setFaces({5, 5, 3, 5, 3, 5});
        QCOMPARE(calcRollScore(true, false), 1000);
        QVERIFY(testing::historyLines().contains(QStringLiteral("There are four 5's")));
        QCOMPARE(dice(3).link, 0);
        QCOMPARE(dice(5).link, 0);
        QCOMPARE(whistles(), 1);

        testing::resetGame();
        testing::setFaces({1, 4, 5, 2, 6, 6});
        QCOMPARE(calcRollScore(true, false), 150);
        QCOMPARE(testing::historyLines().mid(1, 2),
                 (QStringList{QStringLiteral("There is one 1"), QStringLiteral("There is one 5")}));
    }

    void noScoringDie_scoresZero() {
        testing::setFaces({2, 2, 3, 4, 6, 6});
        QCOMPARE(calcRollScore(true, false), 0);
        QCOMPARE(testing::historyLines(), (QStringList{QStringLiteral("You rolled:  2 2 3 4 6 6 "),
                                                       QStringLiteral("Total of this Roll: 0")}));
        for (int i = 1; i <= 6; ++i) QVERIFY(!dice(i).containsPoints);
    }

    void allOnShelf_countsNothing() {
        testing::setFaces({1, 1, 1, 5, 5, 5});
        for (int i = 1; i <= 6; ++i) dice(i).save = true;
        QCOMPARE(calcRollScore(true, false), 0);
        QCOMPARE(testing::historyLines(),
                 (QStringList{QStringLiteral("You rolled:  "), QStringLiteral("Total of this Roll: 0")}));
    }

    void noDisplay_writesNothingButStillWhistles() {
        testing::setFaces({1, 1, 1, 1, 1, 1});
        QCOMPARE(calcRollScore(false, false), 8000);
        QCOMPARE(testing::historyLines(), QStringList{QString()});
        QCOMPARE(whistles(), 1);
    }

    void selectedOnly_countsOnlyMarkedDice() {
        testing::setFaces({1, 1, 1, 5, 2, 3});
        QCOMPARE(calcRollScore(false, true), 0);  // no die is marked saved this turn
        dice(2).savedThisTurn = true;
        dice(4).savedThisTurn = true;
        QCOMPARE(calcRollScore(false, true), 150);  // one 1 and the 5; the other 1s are not counted
        dice(1).savedThisTurn = true;
        dice(3).savedThisTurn = true;
        QCOMPARE(calcRollScore(false, true), 1050);  // three 1s now
    }

    void numWord_namesOneToSix() {
        QCOMPARE(numWord(1), QStringLiteral("one"));
        QCOMPARE(numWord(6), QStringLiteral("six"));
        QCOMPARE(numWord(0), QString());
        QCOMPARE(numWord(7), QString());
    }
};

ZORVIK_TEST(ScoringTest)
#include "test_scoring.moc"
