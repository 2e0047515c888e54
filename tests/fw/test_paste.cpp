#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "fw/editfield.h"
#include "fw/sound.h"
#include "fw/textedit.h"
#include "tests/support/testsupport.h"

namespace {
// A desktop session's clipboard before anything was copied: data without a single format.
void emptyClipboard() {
    QClipboard* c = QGuiApplication::clipboard();
    c->setMimeData(new QMimeData, QClipboard::Clipboard);
    if (c->supportsSelection()) c->setMimeData(new QMimeData, QClipboard::Selection);
}

// Every way a person pastes into a field: the key, the field's own command, a middle click, and
// what a middle click or a drop hands the field (the offscreen desktop has no selection to click).
void pasteEveryWay(fw::TextEdit* f) {
    f->setFocus();
    QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    f->paste();
    QTest::mouseClick(f->viewport(), Qt::MiddleButton, {}, QPoint(5, 5));
    QMimeData nothing;
    f->insertFromMimeData(&nothing);
    f->insertFromMimeData(nullptr);
}
}  // namespace

class PasteTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void emptyClipboard_pastesNothingAndBeeps_textStillPastes() {
        fw::EditField styled;
        fw::TextEdit rich;
        for (fw::TextEdit* f : {static_cast<fw::TextEdit*>(&styled), &rich}) {
            f->setPlainText(QStringLiteral("kept"));
            f->show();
            f->activateWindow();
            testing::drain(2);
            emptyClipboard();
            QVERIFY(!f->canPaste());
            const int beeps = fw::beepCount();
            pasteEveryWay(f);
            QCOMPARE(f->toPlainText(), QStringLiteral("kept"));
            QVERIFY(fw::beepCount() > beeps);

            QGuiApplication::clipboard()->setText(QStringLiteral(" more"));
            f->moveCursor(QTextCursor::End);
            QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(f->toPlainText(), QStringLiteral("kept more"));
            f->hide();
        }
    }

    void readOnlyField_takesNoPaste_silently() {
        fw::TextEdit history;
        history.setPlainText(QStringLiteral("It is Ann's turn."));
        history.setReadOnly(true);
        history.show();
        history.activateWindow();
        testing::drain(2);
        const int beeps = fw::beepCount();
        emptyClipboard();
        pasteEveryWay(&history);
        QGuiApplication::clipboard()->setText(QStringLiteral("typed over"));
        pasteEveryWay(&history);
        QCOMPARE(history.toPlainText(), QStringLiteral("It is Ann's turn."));
        QCOMPARE(fw::beepCount(), beeps);
    }
};

ZORVIK_TEST(PasteTest)
#include "test_paste.moc"
