#include <QScrollBar>
#include <QTest>

#include "fw/editfield.h"
#include "fw/text.h"
#include "tests/support/testsupport.h"

class FieldLinesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Wrapped lines count as lines: scrolling to a line puts it flush with the field's top, no sliver of
    // the line above showing; scrolling to the first line shows the margin above it again.
    void wrappedLines_countAndScrollToTheTop() {
        fw::EditField f;
        f.resize(160, 80);
        f.show();
        const QString para = QStringLiteral("word ").repeated(60);
        f.setText(para + fw::Chr(13) + QStringLiteral("next") + fw::Chr(13) + para);
        const int next = int(para.size()) + 1;
        const int line = f.LineNumAtCharPos(next);
        QVERIFY(line > 3);  // the first paragraph wraps
        QCOMPARE(f.LineNumAtCharPos(next - 1), line - 1);
        QCOMPARE(f.LineNumAtCharPos(0), 0);
        f.setScrollPosition(line);
        QCOMPARE(f.ScrollPosition(), line);
        QTextCursor c(f.document());
        c.setPosition(next);
        QCOMPARE(f.cursorRect(c).top(), 0);
        f.setScrollPosition(0);
        QCOMPARE(f.ScrollPosition(), 0);
        QCOMPARE(f.verticalScrollBar()->value(), 0);
    }
};

ZORVIK_TEST(FieldLinesTest)
#include "test_fieldlines.moc"
