#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "fw/editfield.h"
#include "fw/sound.h"
#include "fw/textedit.h"
#include "tests/support/testsupport.h"

namespace {
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
    // A clipboard without text pastes nothing and beeps, text still pastes; a read-only field
    // takes neither, silently.
    void emptyClipboard_pastesNothingAndBeeps_textStillPastes() {
        fw::EditField styled;
        fw::TextEdit rich, history;
        history.setReadOnly(true);
        for (fw::TextEdit* f : {static_cast<fw::TextEdit*>(&styled), &rich, &history}) {
            f->setPlainText(QStringLiteral("kept"));
            f->show();
            f->activateWindow();
            testing::drain(2);
            testing::emptyClipboard();
            QVERIFY(!f->canPaste());
            const int beeps = fw::beepCount();
            pasteEveryWay(f);
            QCOMPARE(f->toPlainText(), QStringLiteral("kept"));
            QCOMPARE(fw::beepCount() > beeps, !f->isReadOnly());

            QGuiApplication::clipboard()->setText(QStringLiteral(" more"));
            f->moveCursor(QTextCursor::End);
            if (f->isReadOnly()) pasteEveryWay(f);
            QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(f->toPlainText(),
                     f->isReadOnly() ? QStringLiteral("kept") : QStringLiteral("kept more"));
            if (f->isReadOnly()) QCOMPARE(fw::beepCount(), beeps);
            f->hide();
        }
    }
};

ZORVIK_TEST(PasteTest)
#include "test_paste.moc"
