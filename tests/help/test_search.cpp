#include <QLineEdit>
#include <QTest>
#include <QTextCursor>

#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/sound.h"
#include "fw/text.h"
#include "fw/window.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

namespace {
// Topics A, folder B with subtopic C, D, and E whose "figs" lies far below its first line.
helpWindow* loadShown() {
    helpWindow* w = helptest::load(helptest::manual(
        {QStringLiteral("<a name=\"A\"></a>one b one"), QStringLiteral("<a name=\"B\"></a>zz"),
         QStringLiteral("<a name=\"B:C\"></a>deep kiwi"), QStringLiteral("<a name=\"D\"></a>xaaay"),
         QStringLiteral("<a name=\"E\"></a>") + QStringLiteral("line<p>").repeated(40) +
             QStringLiteral("figs") + QStringLiteral("<p>line").repeated(40)}));
    w->Show();
    return w;
}

// Types the search text as a person does, then presses "Find" `times` times.
void find(helpWindow* w, const QString& text, int times = 1) {
    if (w->findEdit->text() != text) {
        w->findEdit->clear();
        QTest::keyClicks(w->findEdit, text);
    }
    for (int i = 0; i < times; ++i) w->findButton->Push();
}

QString selection(helpWindow* w) {
    return QStringLiteral("%1 %2@%3")
        .arg(w->topicsList->Text())
        .arg(w->helpField->SelText())
        .arg(w->helpField->SelStart());
}
}  // namespace

class SearchTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void button_captionEnablingAndReturnFromBothFields() {
        helpWindow* w = loadShown();
        QVERIFY(!w->findButton->isEnabled());
        QTest::keyClicks(w->findEdit, QStringLiteral("ONE"));
        QVERIFY(w->findButton->isEnabled());
        QCOMPARE(w->findButton->Caption(), QStringLiteral("Find"));
        w->findEdit->setFocus();
        QTest::keyClick(w->findEdit, Qt::Key_Return);
        QCOMPARE(w->findButton->Caption(), QStringLiteral("Find Next"));
        QCOMPARE(selection(w), QStringLiteral("A one@0"));  // letter case is ignored
        QCOMPARE(w->focusWidget(), w->helpField);
        QTest::keyClick(w->helpField, Qt::Key_Return);  // presses "Find", inserts no line end
        QCOMPARE(selection(w), QStringLiteral("A one@6"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("one b one\r"));
        QTest::keyClick(w->findEdit, Qt::Key_Backspace);
        QCOMPARE(w->findButton->Caption(), QStringLiteral("Find"));
        w->findEdit->clear();
        QVERIFY(!w->findButton->isEnabled());
    }

    // A click into the text places the insertion point: the next search starts there.
    void click_movesTheStartOfTheNextSearch() {
        helpWindow* w = loadShown();
        QTextCursor c(w->helpField->document());
        c.setPosition(2);
        QTest::mouseClick(w->helpField->viewport(), Qt::LeftButton, {}, w->helpField->cursorRect(c).center());
        find(w, QStringLiteral("one"));
        QCOMPARE(selection(w), QStringLiteral("A one@6"));
    }

    // In the shown topic the search goes on after the selection, and never looks before it.
    void shownTopic_fromTheSelectionOnwardThenBeep() {
        helpWindow* w = loadShown();
        QStringList seen;
        for (int i = 0; i < 3; ++i) {
            find(w, QStringLiteral("o"));
            seen << selection(w);
        }
        QCOMPARE(seen, (QStringList{"A o@0", "A o@6", "A o@6"}));  // the third press beeps
        w->helpShowTopic(QStringLiteral("D"));  // "xaaay": overlapping occurrences are not found
        find(w, QStringLiteral("aa"), 2);
        QCOMPARE(selection(w), QStringLiteral("D aa@1"));
        w->helpShowTopic(QStringLiteral("C"));
        w->helpField->setSelStart(9);
        find(w, QStringLiteral("deep"));
        QCOMPARE(selection(w), QStringLiteral("C @9"));
        QCOMPARE(fw::beepCount(), 3);
    }

    void otherTopics_inOrderWithTheWrapAndTheirFolders() {
        helpWindow* w = loadShown();
        find(w, QStringLiteral("figs"));  // only in the last topic: its line at the top of the field
        QCOMPARE(selection(w), QStringLiteral("E figs@200"));
        QVERIFY(w->helpField->LineNumAtCharPos(200) == 40);
        QCOMPARE(w->helpField->ScrollPosition(), 40);
        find(w, QStringLiteral("b"));  // wraps from the last topic to topic 1
        QCOMPARE(selection(w), QStringLiteral("A b@4"));
        find(w, QStringLiteral("kiwi"));  // a subtopic: its folder opens
        QCOMPARE(selection(w), QStringLiteral("C kiwi@5"));
        QCOMPARE(helptest::rows(w), (QStringList{"A", "-B", "C", "D", "E"}));
        QCOMPARE(fw::beepCount(), 0);
    }

    void typedText_shownTopicAsItStandsOthersAsStored() {
        helpWindow* w = loadShown();
        w->helpShowTopic(QStringLiteral("D"));
        QTest::keyClicks(w->helpField, QStringLiteral("kiwi "));
        w->helpField->setSelStart(0);
        find(w, QStringLiteral("kiwi"));
        QCOMPARE(selection(w), QStringLiteral("D kiwi@0"));
        find(w, QStringLiteral("kiwi"));
        QCOMPARE(selection(w), QStringLiteral("C kiwi@5"));
        w->helpShowTopic(QStringLiteral("D"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("xaaay\r"));
    }

    void unnamedRowSelected_searchEndsWithABeep() {
        helpWindow* w = helptest::load(
            helptest::manual({QStringLiteral("<a name=\"A\"></a>a"), QStringLiteral("<a name=\"\"></a>b")}));
        w->topicsList->setListIndex(1);
        QCOMPARE(w->topicsList->Text(), QString());
        find(w, QStringLiteral("nowhere"));
        QCOMPARE(fw::beepCount(), 1);
    }
};

ZORVIK_TEST(SearchTest)
#include "test_search.moc"
