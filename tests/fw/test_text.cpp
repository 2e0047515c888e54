#include <QTest>

#include "fw/list.h"
#include "fw/random.h"
#include "fw/text.h"
#include "fw/textfit.h"
#include "tests/support/testsupport.h"

using namespace fw;

class TextAndListTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void positions_areOneBasedAndForgiving() {
        QCOMPARE(Mid(QStringLiteral("Zorvik"), 2, 3), QStringLiteral("orv"));
        QCOMPARE(Mid(QStringLiteral("Zorvik"), 4), QStringLiteral("vik"));
        QCOMPARE(Mid(QStringLiteral("Zorvik"), 7, 2), QString());
        QCOMPARE(Mid(QStringLiteral("Zorvik"), 0, 2), QString());
        QCOMPARE(Mid(QStringLiteral("Zorvik"), 2, -1), QString());
        QCOMPARE(Left(QStringLiteral("Zorvik"), 3), QStringLiteral("Zor"));
        QCOMPARE(Left(QStringLiteral("Zorvik"), -3), QString());
        QCOMPARE(Right(QStringLiteral("Zorvik"), 2), QStringLiteral("ik"));
        QCOMPARE(Right(QStringLiteral("ab"), 9), QStringLiteral("ab"));
        QCOMPARE(Len(QString()), 0);
    }

    void search_ignoresCase() {
        QCOMPARE(InStr(QStringLiteral("Total of this Roll"), QStringLiteral("roll")), 15);
        QCOMPARE(InStr(3, QStringLiteral("abcabc"), QStringLiteral("A")), 4);
        QCOMPARE(InStr(QStringLiteral("abc"), QStringLiteral("x")), 0);
        QCOMPARE(InStr(9, QStringLiteral("abc"), QStringLiteral("a")), 0);
        QCOMPARE(InStr(0, QStringLiteral("abc"), QStringLiteral("a")), 0);
        QCOMPARE(ReplaceAll(QStringLiteral("A-a-b"), QStringLiteral("a"), QStringLiteral("x")),
                 QStringLiteral("x-x-b"));
        // Texts that begin with a sign are found by it; the letters after it still ignore case.
        QCOMPARE(ReplaceAll(QStringLiteral("<B>x<b><b"), QStringLiteral("<b>"), QStringLiteral("[")),
                 QStringLiteral("[x[<b"));
        QCOMPARE(ReplaceAll(QStringLiteral("aaaa"), QStringLiteral("aa"), QStringLiteral("b")),
                 QStringLiteral("bb"));
        QCOMPARE(InStr(3, QStringLiteral("a<P>b<p>"), QStringLiteral("<p>")), 6);
        QCOMPARE(InStr(QStringLiteral("x<a NAME="), QStringLiteral("<a name=")), 2);
        QCOMPARE(CountFields(QStringLiteral("1<A>2<a>3<a"), QStringLiteral("<a>")), 3);
        QCOMPARE(NthField(QStringLiteral("1<A>2<a>3"), QStringLiteral("<a>"), 3), QStringLiteral("3"));
        QVERIFY(textEquals(QStringLiteral("Roll"), QStringLiteral("ROLL")));
        QVERIFY(!textEquals(QStringLiteral("Roll"), QStringLiteral("Roll again")));
    }

    void fields_countFromOne() {
        const QString s = QStringLiteral("a,b,,d");
        QCOMPARE(CountFields(s, QStringLiteral(",")), 4);
        QCOMPARE(NthField(s, QStringLiteral(","), 2), QStringLiteral("b"));
        QCOMPARE(NthField(s, QStringLiteral(","), 3), QString());
        QCOMPARE(NthField(s, QStringLiteral(","), 4), QStringLiteral("d"));
        QCOMPARE(NthField(s, QStringLiteral(","), 5), QString());
        QCOMPARE(NthField(s, QStringLiteral(","), 0), QString());
        QCOMPARE(CountFields(QString(), QStringLiteral(",")), 0);
    }

    void numbers_readLeadingValue() {
        QCOMPARE(Val(QStringLiteral("5000")), 5000.0);
        QCOMPARE(Val(QStringLiteral("  42abc")), 42.0);
        QCOMPARE(Val(QStringLiteral("-3.5x")), -3.5);
        QCOMPARE(Val(QStringLiteral("abc")), 0.0);
        QCOMPARE(Val(QString()), 0.0);
        QCOMPARE(Val(QStringLiteral("1e3")), 1000.0);
        QCOMPARE(ValInt(QStringLiteral("99999999999")), 2147483647);
        // Beyond a double's range: infinite with its sign, not 0
        const QString digits400 = QStringLiteral("1") + QString(399, u'0');
        QCOMPARE(Val(digits400), qInf());
        QCOMPARE(Val(QStringLiteral("-") + digits400 + QStringLiteral("x")), -qInf());
        QCOMPARE(Val(QStringLiteral("1e400")), qInf());
        QCOMPARE(Val(QStringLiteral("1e-400")), 0.0);
        QCOMPARE(ValInt(digits400), 2147483647);
        QCOMPARE(toInt32(2.9), 2);
        QCOMPARE(toInt32(-2.9), -2);
        QCOMPARE(Round(2.5), 3);
        QCOMPARE(Round(0.49), 0);
        QCOMPARE(Str(-12), QStringLiteral("-12"));
        QCOMPARE(Format(50000, QStringLiteral("######")), QStringLiteral("50000"));
        QCOMPARE(Uppercase(QStringLiteral("true")), QStringLiteral("TRUE"));
    }

    void randomness_isReproducibleAndInRange() {
        seedRandom(7);
        QList<double> first;
        for (int i = 0; i < 100; ++i) first << Rnd();
        seedRandom(7);
        for (int i = 0; i < 100; ++i) {
            const double r = Rnd();
            QCOMPARE(r, first[i]);
            QVERIFY(r >= 0 && r < 1);
        }
        setRandomSource([] { return 1.5; });
        QVERIFY(Rnd() < 1);
        setRandomSource(nullptr);
    }

    void lists_keepElementZeroAndCheckBounds() {
        List<QString> names(2);
        names[1] = QStringLiteral("P1");
        names[2] = QStringLiteral("P2");
        names.redim(3);
        QCOMPARE(names.ubound(), 3);
        QCOMPARE(names[2], QStringLiteral("P2"));
        QCOMPARE(names[3], QString());
        names.redim(1);
        QCOMPARE(names.ubound(), 1);
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, names[2]);
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, names[-1]);
        QCOMPARE(names.indexOf(QStringLiteral("P1")), 1);
        QCOMPARE(names.indexOf(QStringLiteral("P9")), -1);

        ObjList<int> records(2);
        QVERIFY_THROWS_EXCEPTION(NilObjectException, records(1));
        records.put(1, std::make_shared<int>(5));
        QCOMPARE(records(1), 5);
    }

    // Texts from a web reply are cut to the lines a box has room for.
    void fitLines_cutsWholeLinesAndCharacters() {
        int used = 0;
        QCOMPARE(fitLines(QStringLiteral("a\nb\nc"), 2, 40, &used), QStringLiteral("a\nb\u2026"));
        QCOMPARE(used, 2);
        // "\r\n" is one line end, and line ends alone at the cut are no loss.
        QCOMPARE(fitLines(QStringLiteral("a\r\nb\r\nc"), 3, 40), QStringLiteral("a\nb\nc"));
        QCOMPARE(fitLines(QStringLiteral("a\nb\n\n"), 2, 40), QStringLiteral("a\nb"));
        // The "…" takes the place of the last character of a full line, a character beyond 16 bits
        // as a whole.
        const QString face = QString::fromUcs4(U"\U0001F600");
        const auto shown = [](QString s) { return s.remove(kBreakChance); };
        QCOMPARE(shown(fitLines(QString(39, u'a') + face + QStringLiteral("zz"), 1, 40)),
                 QString(39, u'a') + QStringLiteral("\u2026"));
        QCOMPARE(shown(fitLines(QString(100, u'a'), 2, 40, &used)),
                 QString(79, u'a') + QStringLiteral("\u2026"));
        QCOMPARE(used, 2);
        QCOMPARE(shown(fitLines(QStringLiteral("ab"), 1, 1)), QStringLiteral("\u2026"));
        QCOMPARE(shown(fitLines(QStringLiteral("a"), 0, 0, &used)), QStringLiteral("a"));
        QCOMPARE(used, 1);
        QCOMPARE(shown(fitLines(QStringLiteral("abcd\nb"), 1, 4)), QStringLiteral("abc\u2026"));
        // No break chance right before the "…": a label would wrap it onto a line of its own.
        QCOMPARE(fitLines(QStringLiteral("abc"), 1, 2), QStringLiteral("a\u2026"));
        // Line ends given up before the "…" give their lines back.
        QCOMPARE(fitLines(QStringLiteral("a\n\n\nb"), 2, 40, &used), QStringLiteral("a\u2026"));
        QCOMPARE(used, 1);
        QCOMPARE(fitLines(QString(60, u'w'), 9, 40, &used).count(kBreakChance), 2);
        QCOMPARE(used, 2);
    }
};

ZORVIK_TEST(TextAndListTest)
#include "test_text.moc"
