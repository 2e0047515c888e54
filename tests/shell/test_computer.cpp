#include <QTest>

#include "fw/sound.h"
#include "tests/shell/test_turnsupport.h"

using namespace globalsModule;
using namespace turns;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
// A computer opens against a person; plays until the person is on turn.
void computerTurn(int kind, const std::vector<int>& faces) {
    seatPlayers({{QStringLiteral("Cpu"), kind}, {QStringLiteral("Ann"), 0}}, 10000);
    for (int f : faces) boardClass::forcedFaces().push_back(f);
    startWith(1);
    QVERIFY(drainUntil([] { return gCurrentPlayer == 2; }));
    boardClass::forcedFaces().clear();
}

QStringList linesWith(const QString& text) { return testing::historyLines().filter(text); }
}  // namespace

// Each computer rule at the points where it decides between banking and rolling on.
class ComputerTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void rules_bankOrRollOn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<std::vector<int>>("faces");
        QTest::addColumn<int>("banked");
        QTest::addColumn<int>("rolls");

        // 100, then 200 (300 set aside, no bank yet), then 50: 350 reached with one die left.
        const std::vector<int> reach350{1, 2, 3, 4, 6, 6, 2, 2, 2, 3, 4, 5, 3};
        // 1500 with all six on the shelf; a fresh six gives 100 and five left; then nothing.
        const std::vector<int> allSix{1, 1, 1, 5, 5, 5, 1, 2, 3, 4, 6, 6, 2, 2, 3, 4, 6};
        // 600 with three left; then 150 and one left; then nothing.
        const std::vector<int> threeLeft{6, 6, 6, 2, 3, 4, 1, 5, 2, 2};
        // 1050 with two left; then nothing.
        const std::vector<int> twoLeft{1, 1, 1, 5, 2, 3, 2, 3};

        for (int kind = 1; kind <= 5; ++kind) {
            const QByteArray k = QByteArray::number(kind);
            QTest::newRow("kind " + k + " at 350") << kind << reach350 << 350 << 3;
            const bool clever = kind == 2, crafty = kind == 3;
            // Rule 1 banks with all six on the shelf; rules 2 and 3 roll six again.
            QTest::newRow("kind " + k + " all six saved") << kind << allSix
                                                          << (clever   ? 1600
                                                              : crafty ? 0
                                                                       : 1500)
                                                          << (clever   ? 2
                                                              : crafty ? 3
                                                                       : 1);
            // Rule 3 rolls on with three dice left, and banks with one.
            QTest::newRow("kind " + k + " three left")
                << kind << threeLeft << (crafty ? 750 : 600) << (crafty ? 2 : 1);
            // Every rule banks with two left.
            QTest::newRow("kind " + k + " two left") << kind << twoLeft << 1050 << 1;
        }
    }

    void rules_bankOrRollOn() {
        QFETCH(int, kind);
        QFETCH(std::vector<int>, faces);
        QFETCH(int, banked);
        QFETCH(int, rolls);
        computerTurn(kind, faces);

        QCOMPARE(gPlayerList(1).score, banked);
        QCOMPARE(linesWith(QStringLiteral("Roll number")).size(), rolls);
        QCOMPARE(linesWith(QStringLiteral("Cpu scored")).size(), banked > 0 ? 1 : 0);
        if (banked > 0)
            QCOMPARE(linesWith(QStringLiteral("Cpu scored")).first(),
                     QStringLiteral("    Cpu scored %1 points!").arg(banked));
        else
            QCOMPARE(linesWith(QStringLiteral(" ZORVIK!")), QStringList{QStringLiteral("    Cpu ZORVIK!")});
        QCOMPARE(testing::historyLines().last(), QStringLiteral("It is Ann's turn."));
        QCOMPARE(buttons(), turnStart());
        QVERIFY(gw()->personMayAct());
    }

    void dumbTurn_logsEveryStep() {
        computerTurn(1, {1, 2, 3, 4, 6, 6, 2, 2, 2, 3, 4, 5, 3});
        const QStringList expected{QString(),
                                   QStringLiteral("Roll number 1:"),
                                   QStringLiteral("    Score for this turn so far: 0"),
                                   QStringLiteral("    You rolled:  1 2 3 4 6 6 "),
                                   QStringLiteral("    There is one 1"),
                                   QStringLiteral("    Total of this Roll: 100"),
                                   QStringLiteral("    Cpu saves 1 "),
                                   QStringLiteral("    "),
                                   QStringLiteral("Roll number 2:"),
                                   QStringLiteral("    Score for this turn so far: 100"),
                                   QStringLiteral("    You rolled:  2 2 2 3 4 "),
                                   QStringLiteral("    There are three 2's"),
                                   QStringLiteral("    Total of this Roll: 200"),
                                   QStringLiteral("    Cpu saves 1 2 2 2 "),
                                   QStringLiteral("    "),
                                   QStringLiteral("Roll number 3:"),
                                   QStringLiteral("    Score for this turn so far: 300"),
                                   QStringLiteral("    You rolled:  5 3 "),
                                   QStringLiteral("    There is one 5"),
                                   QStringLiteral("    Total of this Roll: 50"),
                                   QStringLiteral("    Cpu saves 1 2 2 2 5 "),
                                   QStringLiteral("    "),
                                   QStringLiteral("    Cpu scored 350 points!"),
                                   QStringLiteral("    Cpu's turn is over."),
                                   QString(),
                                   rule(),
                                   QString(),
                                   QStringLiteral("Turn number 1:"),
                                   QStringLiteral("It is Ann's turn.")};
        QCOMPARE(historyFrom(5), expected);
        QCOMPARE(row(0), (QStringList{QStringLiteral("Cpu"), QStringLiteral("50"), QStringLiteral("350"),
                                      QStringLiteral("350")}));
    }

    void firstRollScoresNothing_theTurnPassesAndNothingMoreIsPressed() {
        computerTurn(3, {2, 2, 3, 4, 6, 6});
        QCOMPARE(
            historyFrom(5).mid(5),
            (QStringList{QStringLiteral("    Sorry, there are no points in this roll."),
                         QStringLiteral("    Cpu's turn is over."), QStringLiteral("    "), rule(), QString(),
                         QStringLiteral("Turn number 1:"), QStringLiteral("It is Ann's turn.")}));
        QVERIFY(!fw::playedSounds().contains(QStringLiteral("BOINK04")));
        QCOMPARE(gw()->rollNumber, 0);
        QCOMPARE(buttons(), turnStart());
        testing::drain(20);
        QCOMPARE(testing::historyLines().last(), QStringLiteral("It is Ann's turn."));
    }
};

ZORVIK_TEST(ComputerTest)
#include "test_computer.moc"
