#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "fw/editfield.h"
#include "fw/listbox.h"
#include "fw/text.h"
#include "help/helpwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/testsupport.h"

using helptest::rows;

namespace {
const QString kLeft = fw::Chr(28), kRight = fw::Chr(29), kUp = fw::Chr(30), kDown = fw::Chr(31);

helpWindow* loadABCD() {
    QStringList body;
    for (const char* name : {"A", "A:A1", "A:A2", "B", "B:C", "D"})
        body << QStringLiteral("<a name=\"%1\"></a>text of %1").arg(QLatin1String(name));
    return helptest::load(helptest::manual(body));
}
}  // namespace

class TopicListTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { testing::resetGame(); }

    void rows_foldersOpenInPlaceAndCloseAgain() {
        helpWindow* w = loadABCD();
        QCOMPARE(rows(w), (QStringList{"+A", "+B", "D"}));
        QCOMPARE(w->topicsList->ListIndex(), 0);
        QCOMPARE(w->helpField->Text(), QStringLiteral("text of A") + fw::Chr(13));
        QCOMPARE(w->helpField->SelStart(), 0);
        w->topicsList->setExpanded(1, true);
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        w->topicsList->setExpanded(0, true);
        QCOMPARE(rows(w), (QStringList{"-A", "A1", "A2", "-B", "C", "D"}));
        w->topicsList->setExpanded(0, false);
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        w->topicsList->setExpanded(3, true);  // a plain row: nothing happens
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        // A single topic is one plain row.
        w = helptest::load(helptest::manual({QStringLiteral("<a name=\"Only\"></a>x")}));
        QCOMPARE(rows(w), QStringList{"Only"});
    }

    void selectByName_opensTheFolderFirst() {
        helpWindow* w = loadABCD();
        w->helpShowTopic(QStringLiteral("c"));
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        QCOMPARE(w->topicsList->ListIndex(), 2);
        QCOMPARE(w->helpField->Text(), QStringLiteral("text of B:C") + fw::Chr(13));
        w->helpShowTopic(QStringLiteral("D"));
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        QCOMPARE(w->topicsList->ListIndex(), 3);
        // A name no topic bears empties the text and keeps the selection.
        w->helpShowTopic(QStringLiteral("Nowhere"));
        QCOMPARE(w->helpField->Text(), QString());
        QCOMPARE(w->topicsList->ListIndex(), 3);
        // Collapsing the folder of the selected row selects the folder and shows its topic.
        w->helpShowTopic(QStringLiteral("C"));
        w->topicsList->setExpanded(1, false);
        QCOMPARE(w->topicsList->ListIndex(), 1);
        QCOMPARE(w->helpField->Text(), QStringLiteral("text of B") + fw::Chr(13));
    }

    void arrowKeysInTheText_moveThroughTheRowsAndWrap() {
        helpWindow* w = loadABCD();
        fw::ListBox* list = w->topicsList;
        QVERIFY(w->helpField_KeyDown(kUp));  // from the first row to the last
        QCOMPARE(list->ListIndex(), 2);
        QCOMPARE(list->Text(), QStringLiteral("D"));
        QVERIFY(w->helpField_KeyDown(kDown));  // and from the last to the first
        QCOMPARE(list->ListIndex(), 0);
        QVERIFY(w->helpField_KeyDown(kRight));
        QVERIFY(w->helpField_KeyDown(kRight));  // already open: consumed, nothing changes
        QCOMPARE(rows(w), (QStringList{"-A", "A1", "A2", "+B", "D"}));
        QVERIFY(w->helpField_KeyDown(kDown));
        QCOMPARE(list->Text(), QStringLiteral("A1"));
        QCOMPARE(w->helpField->Text(), QStringLiteral("text of A:A1") + fw::Chr(13));
        QVERIFY(w->helpField_KeyDown(kLeft));  // a plain row: consumed, nothing changes
        QCOMPARE(rows(w), (QStringList{"-A", "A1", "A2", "+B", "D"}));
        QVERIFY(!w->helpField_KeyDown(QStringLiteral("x")));
        // With no row selected the arrows belong to the text.
        list->setListIndex(99);
        QCOMPARE(list->ListIndex(), -1);
        for (const QString& key : {kLeft, kRight, kUp, kDown}) QVERIFY(!w->helpField_KeyDown(key));
        QCOMPARE(list->ListIndex(), -1);
    }

    void realKeys_reachTheFieldOrTheList() {
        helpWindow* w = loadABCD();
        w->Show();
        QTest::keyClick(w->helpField, Qt::Key_Down);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("B"));
        QTest::keyClick(w->helpField, Qt::Key_Right);
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        // Typed letters go into the shown text; the stored topic stays as it was.
        QTest::keyClicks(w->helpField, QStringLiteral("new "));
        QCOMPARE(w->helpField->Text(), QStringLiteral("new text of B") + fw::Chr(13));
        QCOMPARE(w->helpText[4], QStringLiteral("text of B") + fw::Chr(13));
        // Clicking into the list hands the focus back to the text at once.
        w->activateWindow();
        w->topicsList->setFocus();
        QVERIFY(w->helpField->hasFocus());
        // The list's own keys: left closes the selected folder, and the list goes on with the key.
        QVERIFY(!w->topicsList_KeyDown(kLeft));
        QCOMPARE(rows(w), (QStringList{"+A", "+B", "D"}));
        QVERIFY(!w->topicsList_KeyDown(kRight));
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
    }

    void doubleClick_togglesTheSelectedFolder() {
        helpWindow* w = loadABCD();
        w->topicsList_DoubleClick();
        QCOMPARE(rows(w), (QStringList{"-A", "A1", "A2", "+B", "D"}));
        w->topicsList_DoubleClick();
        QCOMPARE(rows(w), (QStringList{"+A", "+B", "D"}));
        w->topicsList->setListIndex(-1);
        w->topicsList_DoubleClick();
        QCOMPARE(rows(w), (QStringList{"+A", "+B", "D"}));
        // On a folder's arrow a double click opens only that folder, not the selected one.
        w->Show();
        w->topicsList->setListIndex(0);
        const QRect b = w->topicsList->visualItemRect(w->topicsList->topLevelItem(1));
        const QPoint arrow(b.left() - w->topicsList->indentation() / 2, b.center().y());
        QTest::mouseClick(w->topicsList->viewport(), Qt::LeftButton, {}, arrow);
        QMouseEvent second(QEvent::MouseButtonDblClick, arrow, w->topicsList->viewport()->mapToGlobal(arrow),
                           Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(w->topicsList->viewport(), &second);
        QCOMPARE(rows(w), (QStringList{"+A", "-B", "C", "D"}));
        QCOMPARE(w->topicsList->ListIndex(), 0);
    }

    void closingAFolderWhileItOpens_addsNoRowTwice() {
        helpWindow* w = loadABCD();
        fw::ListBox* list = w->topicsList;
        // The opening yields after each row; a person closes the folder meanwhile.
        QTimer::singleShot(0, list, [list] { list->setExpanded(0, false); });
        list->setExpanded(0, true);
        QCOMPARE(rows(w), (QStringList{"+A", "+B", "D"}));
        list->setExpanded(0, true);
        QCOMPARE(rows(w), (QStringList{"-A", "A1", "A2", "+B", "D"}));
        // Closed and opened again meanwhile: the second opening's rows, once.
        list->setExpanded(0, false);
        QTimer::singleShot(0, list, [list] {
            list->setExpanded(0, false);
            list->setExpanded(0, true);
        });
        list->setExpanded(0, true);
        QCOMPARE(rows(w), (QStringList{"-A", "A1", "A2", "+B", "D"}));
        // The list emptied meanwhile: the rows still to come are dropped, not put anywhere.
        list->setExpanded(0, false);
        QTimer::singleShot(0, list, [list] { list->DeleteAllRows(); });
        list->setExpanded(0, true);
        QCOMPARE(rows(w), QStringList());
    }
};

ZORVIK_TEST(TopicListTest)
#include "test_topics.moc"
