#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include "fw/editfield.h"
#include "fw/window.h"
#include "help/helpwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/menu.h"
#include "shell/playerlistwindow.h"
#include "tests/support/testsupport.h"

namespace {
// A desktop session's clipboard before anything was copied: data without a single format.
void emptyClipboard() {
    QClipboard* c = QGuiApplication::clipboard();
    c->setMimeData(new QMimeData, QClipboard::Clipboard);
    if (c->supportsSelection()) c->setMimeData(new QMimeData, QClipboard::Selection);
}

// Ctrl+V, Edit > Paste and a middle click, into the field as a person would reach it.
void pasteEveryWay(fw::Window* window, QWidget* field, QWidget* clicked) {
    window->Show();
    window->activateWindow();
    testing::drain(2);
    field->setFocus();
    emptyClipboard();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    auto* edit = qobject_cast<fw::TextEdit*>(field);
    Menu::get()->updateEnabled();
    if (edit) QVERIFY(!Menu::get()->find(QStringLiteral("EditPaste"))->Enabled());
    Menu::get()->find(QStringLiteral("EditPaste"))->action()->setEnabled(true);  // left on from before
    Menu::get()->find(QStringLiteral("EditPaste"))->action()->trigger();
    QTest::mouseClick(clicked, Qt::MiddleButton, {}, QPoint(5, 5));
    // What the middle click hands the field where the desktop has a selection to paste.
    QMimeData nothing;
    if (edit) edit->insertFromMimeData(&nothing);
}
}  // namespace

// Nothing copied yet in the desktop session: every field of the game survives a paste.
class PastePathsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        setUpApplication();
    }
    void cleanup() { fw::Window::setMenuBarFactory(nullptr); }

    void emptyClipboard_everyFieldEveryPath_pastesNothing() {
        helpWindow* help = helpWindow::get();
        help->helpField->setText(QStringLiteral("Manual text"));
        pasteEveryWay(help, help->helpField, help->helpField->viewport());
        QCOMPARE(help->helpField->Text(), QStringLiteral("Manual text"));
        help->Close();

        playerListWindow* list = playerListWindow::get();
        list->status->setPlainText(QStringLiteral("It is Ann's turn."));
        QVERIFY(qobject_cast<fw::TextEdit*>(list->status));
        pasteEveryWay(list, list->status, list->status->viewport());
        QCOMPARE(list->status->toPlainText(), QStringLiteral("It is Ann's turn."));
        list->Close();

        gameSettingsWindow* d = gameSettingsWindow::get();
        d->nameField->setText(QStringLiteral("Ann"));
        pasteEveryWay(d, d->nameField, d->nameField);
        QCOMPARE(d->nameField->text(), QStringLiteral("Ann"));
        d->Close();

        // Once there is text, the key and the menu paste it.
        QGuiApplication::clipboard()->setText(QStringLiteral("!"));
        help = helpWindow::get();
        help->Show();
        testing::drain(2);
        help->helpField->setFocus();
        help->helpField->moveCursor(QTextCursor::End);
        QTest::keyClick(help->helpField, Qt::Key_V, Qt::ControlModifier);
        Menu::get()->updateEnabled();
        Menu::get()->find(QStringLiteral("EditPaste"))->action()->trigger();
        QVERIFY(help->helpField->Text().endsWith(QStringLiteral("!!")));
        help->Close();
    }
};

ZORVIK_TEST(PastePathsTest)
#include "test_pastepaths.moc"
