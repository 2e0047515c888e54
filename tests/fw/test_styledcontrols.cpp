#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "fw/editfield.h"
#include "fw/grid.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "tests/support/testsupport.h"

namespace {
double lineWidth(fw::EditField& f) {
    f.resize(400, 100);
    f.show();
    QTextBlock b = f.document()->firstBlock();
    f.document()->documentLayout()->blockBoundingRect(b);  // lays the block out
    return b.layout()->lineAt(0).naturalTextWidth();
}
}  // namespace

class StyledControlsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void field_nullCountsButShowsNothing() {
        fw::EditField plain, withNulls;
        plain.setText(QStringLiteral("abcd"));
        withNulls.setText(QStringLiteral("ab") + fw::Chr(0) + fw::Chr(0) + QStringLiteral("cd"));
        QCOMPARE(withNulls.Text().size(), 6);
        QCOMPARE(withNulls.Text().at(2), QChar(0));
        QCOMPARE(lineWidth(withNulls), lineWidth(plain));
    }

    void field_insertsWithTheSelectionStylesAndRoundTripsThem() {
        fw::EditField f;
        const QString cr = fw::Chr(13);
        f.setSelText(QStringLiteral("plain") + cr);
        f.setSelBold(true);
        f.setSelText(QStringLiteral("bold"));
        f.setSelItalic(true);
        f.setSelTextColor(QColor(22, 117, 51));
        f.setSelText(fw::Chr(0) + QStringLiteral("both"));
        f.setSelBold(false);
        f.setSelItalic(false);
        f.setSelUnderline(true);
        f.setSelTextColor(QColor(0, 0, 0));
        f.setSelText(cr + QStringLiteral("u"));
        QCOMPARE(f.SelStart(), 17);
        const QString text = f.Text(), style = f.TextStyleData();
        QCOMPARE(text, QStringLiteral("plain") + cr + QStringLiteral("bold") + fw::Chr(0) +
                           QStringLiteral("both") + cr + QStringLiteral("u"));
        QCOMPARE(style, QStringLiteral("S1;0,5,0,-;6,4,1,-;10,5,3,167533;16,1,4,000000"));
        // Typed over, then restored: the same text and the same runs, insertion point at the start.
        f.selectAll();
        f.setSelText(QStringLiteral("gone"));
        f.SetTextAndStyle(text, style);
        QCOMPARE(f.Text(), text);
        QCOMPARE(f.TextStyleData(), style);
        QCOMPARE(f.SelStart(), 0);
        // Style data that does not fit the text is used as far as it goes.
        f.SetTextAndStyle(QStringLiteral("abc"), QStringLiteral("S1;1,99,1,-;x;0,1,4,zz"));
        QCOMPARE(f.Text(), QStringLiteral("abc"));
        QCOMPARE(f.TextStyleData(), QStringLiteral("S1;0,1,0,-;1,2,1,-"));
        f.SetTextAndStyle(QStringLiteral("abc"), QStringLiteral("garbage"));
        QCOMPARE(f.TextStyleData(), QStringLiteral("S1;0,3,0,-"));
    }

    void listBox_expandsInPlaceAndSelectsByIndex() {
        fw::ListBox list;
        QStringList log;
        list.change = [&] { log << QStringLiteral("change %1").arg(list.ListIndex()); };
        list.expandRow = [&](int row) {
            log << QStringLiteral("expand %1").arg(row);
            list.AddRow(QStringLiteral("child1"));
            list.AddRow(QStringLiteral("child2"));
        };
        list.AddFolder(QStringLiteral("folder"));
        list.AddRow(QStringLiteral("plain"));
        list.setExpanded(0, true);
        QCOMPARE(log, QStringList{"expand 0"});  // raised before setting it returned
        QCOMPARE(list.ListCount(), 4);
        QCOMPARE(list.List(2), QStringLiteral("child2"));
        QCOMPARE(list.List(3), QStringLiteral("plain"));
        list.setExpanded(3, true);
        QCOMPARE(list.ListCount(), 4);
        list.setListIndex(4);
        list.setListIndex(2);
        list.setListIndex(-2);
        QCOMPARE(log, (QStringList{"expand 0", "change -1", "change 2", "change -1"}));
        QCOMPARE(list.Text(), QString());
        list.setExpanded(0, false);
        QCOMPARE(list.ListCount(), 2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.List(2));
        // Found by text, letter case aside: the first shown row that bears it.
        list.AddRow(QStringLiteral("Child2"));
        QCOMPARE(list.findRow(QStringLiteral("CHILD2")), 2);
        QCOMPARE(list.findRow(QStringLiteral("child")), -1);
        list.setExpanded(0, true);
        QCOMPARE(list.findRow(QStringLiteral("child2")), 2);
        QCOMPARE(list.findRow(QStringLiteral("PLAIN")), 3);
    }

    void grid_keepsWhatFitsBothBounds() {
        fw::Grid<int> g(1, 1);
        g(1, 1) = 11;
        g.redim(3, 2);
        g(3, 2) = 32;
        QCOMPARE(g(1, 1), 11);
        QCOMPARE(g(2, 2), 0);
        g.redim(3, 0);
        g.redim(3, 2);
        QCOMPARE(g(3, 2), 0);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, g(4, 0));
        // Widened one column at a time, as the link tables grow, and rows given up and taken again.
        g(1, 1) = 11;
        for (int j = 3; j <= 40; ++j) {
            g.redim(3, j);
            g(3, j) = j;
        }
        QCOMPARE(g(1, 1), 11);
        QCOMPARE(g(3, 7), 7);
        QCOMPARE(g(3, 40), 40);
        g.redim(2, 40);
        g.redim(5, 40);
        QCOMPARE(g(3, 40), 0);
        QCOMPARE(g(1, 1), 11);
    }
};

ZORVIK_TEST(StyledControlsTest)
#include "test_styledcontrols.moc"
