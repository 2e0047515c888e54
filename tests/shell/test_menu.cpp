#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include "fw/editfield.h"
#include "fw/events.h"
#include "fw/window.h"
#include "help/helpwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/menu.h"
#include "shell/playerlistwindow.h"
#include "tests/support/testsupport.h"

namespace {
// Each entry of a menu as shown: "caption<TAB>shortcut", or "-" for a separator.
QStringList entries(QMenu* menu) {
    QStringList result;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            result << QStringLiteral("-");
            continue;
        }
        const QString keys = a->shortcut().toString(QKeySequence::PortableText);
        result << (keys.isEmpty() ? a->text() : a->text() + QLatin1Char('\t') + keys);
    }
    return result;
}

QMenu* menuOf(QMenuBar* bar, int i) { return bar->actions().at(i)->menu(); }

// A window that turns a menu item off while it is the active window.
class NoNewGameWindow : public fw::Window {
  public:
    int asked = 0;
    void EnableMenuItems() override {
        ++asked;
        FileNewGame()->setEnabled(false);
    }

  protected:
    void createControls() override { setContentSize(200, 100); }
};

// The Edit items that are on, as "Undo Cut Copy Paste Clear" would read with all on.
QString editItemsOn() {
    Menu::get()->updateEnabled();
    QStringList on;
    for (const char* name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear"})
        if (Menu::get()->find(QLatin1String(name))->Enabled()) on << QLatin1String(name + 4);
    return on.join(QLatin1Char(' '));
}

void trigger(const char* name) { Menu::get()->find(QLatin1String(name))->action()->trigger(); }

// Ctrl+V, Edit > Paste and a middle click with nothing copied, into the field as a person would
// reach it: the text stays as it was.
void pasteNothingEveryWay(fw::Window* window, QWidget* field, QWidget* clicked) {
    auto* edit = qobject_cast<fw::TextEdit*>(field);
    const auto text = [&] { return edit ? edit->toPlainText() : qobject_cast<QLineEdit*>(field)->text(); };
    const QString before = text();
    window->Show();
    window->activateWindow();
    testing::drain(2);
    field->setFocus();
    testing::emptyClipboard();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    Menu::get()->updateEnabled();
    fw::MenuItem* paste = Menu::get()->find(QStringLiteral("EditPaste"));
    if (edit) QVERIFY(!paste->Enabled());
    paste->action()->setEnabled(true);  // left on from before
    paste->action()->trigger();
    QTest::mouseClick(clicked, Qt::MiddleButton, {}, QPoint(5, 5));
    QMimeData nothing;  // what the middle click hands the field where the desktop has a selection
    if (edit) edit->insertFromMimeData(&nothing);
    QCOMPARE(text(), before);
    window->Close();
}
}  // namespace

class MenuTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        setUpApplication();
    }
    void cleanup() { fw::Window::setMenuBarFactory(nullptr); }

    void bar_holdsFileEditHelpInOrder() {
        QVERIFY(Menu::get() == Menu::get());
        QWidget window;
        QMenuBar* bar = Menu::get()->makeMenuBar(&window);
        QCOMPARE(bar->actions().size(), 3);
        QCOMPARE(bar->actions().at(0)->text(), QStringLiteral("File"));
        QCOMPARE(entries(menuOf(bar, 0)), QStringList({QStringLiteral("New Game...\tCtrl+N"),
                                                       QStringLiteral("-"), QStringLiteral("Quit\tCtrl+Q")}));
        QCOMPARE(bar->actions().at(1)->text(), QStringLiteral("Edit"));
        QCOMPARE(entries(menuOf(bar, 1)),
                 QStringList({QStringLiteral("Undo\tCtrl+Z"), QStringLiteral("-"),
                              QStringLiteral("Cut\tCtrl+X"), QStringLiteral("Copy\tCtrl+C"),
                              QStringLiteral("Paste\tCtrl+V"), QStringLiteral("Clear")}));
        QCOMPARE(bar->actions().at(2)->text(), QStringLiteral("Help"));
        QCOMPARE(entries(menuOf(bar, 2)),
                 QStringList({QStringLiteral("Instructions...\tCtrl+?"), QStringLiteral("-"),
                              QStringLiteral("Check Website for New Version..."),
                              QStringLiteral("About Zorvik!...")}));
        QCOMPARE(HelpInstructions()->action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Question));

        QCOMPARE(FileQuit()->kind(), fw::MenuItem::Kind::Quit);
        QCOMPARE(AppleAbout()->kind(), fw::MenuItem::Kind::Apple);
        QCOMPARE(AppleAbout()->parent(), Menu::get()->Child(QStringLiteral("HelpMenu")));
        QVERIFY(FileQuit()->AutoEnable() && HelpInstructions()->AutoEnable() && !FileNewGame()->AutoEnable());
    }

    void separators_arePlainLinesWithoutText() {
        int separators = 0;
        for (const char* name : {"UntitledMenu4", "UntitledMenu2", "UntitledMenu0"}) {
            fw::MenuItem* item = Menu::get()->find(QLatin1String(name));
            QVERIFY(item->isSeparator());
            QCOMPARE(item->Text(), QStringLiteral("-"));
            // A text on the action would be drawn at the separator's left edge.
            QVERIFY(item->action()->isSeparator());
            QVERIFY(item->action()->text().isEmpty());
            ++separators;
        }
        QCOMPARE(separators, 3);
    }

    void everyWindowsBar_sharesOneSetOfActions() {
        QWidget first;
        QWidget second;
        QMenuBar* a = Menu::get()->makeMenuBar(&first);
        QMenuBar* b = Menu::get()->makeMenuBar(&second);
        QVERIFY(menuOf(a, 0) != menuOf(b, 0));
        QCOMPARE(menuOf(a, 0)->actions().first(), FileNewGame()->action());
        QCOMPARE(menuOf(b, 0)->actions().first(), FileNewGame()->action());

        Menu::get()->updateEnabled();
        QVERIFY(AppleAbout()->Enabled() && FileNewGame()->Enabled() && FileQuit()->Enabled());
        QVERIFY(HelpInstructions()->Enabled() && HelpCheckforUpdates()->Enabled());
        FileNewGame()->setEnabled(false);
        QVERIFY(!menuOf(b, 0)->actions().first()->isEnabled());
        Q_EMIT menuOf(b, 0)->aboutToShow();  // opening a menu brings the states up to date
        QVERIFY(menuOf(a, 0)->actions().first()->isEnabled());

        // The game's windows take the bar at start-up; the modal dialog answers Quit and Help keys.
        QVERIFY(playerListWindow::get()->findChild<QMenuBar*>());
        gameSettingsWindow* d = gameSettingsWindow::get();
        QVERIFY(!d->findChild<QMenuBar*>());
        QCOMPARE(d->actions(), QList<QAction*>({FileQuit()->action(), HelpInstructions()->action()}));
    }

    void activeWindow_enablesItsItemsAfterTheApplication() {
        auto* w = fw::Window::get<NoNewGameWindow>();
        w->Show();
        testing::drain(2);
        w->activateWindow();
        testing::drain(2);
        QVERIFY(w->isActiveWindow());
        Menu::get()->updateEnabled();
        QCOMPARE(w->asked, 1);
        QVERIFY(!FileNewGame()->Enabled() && AppleAbout()->Enabled());
        w->Close();
        testing::drain(2);
        Menu::get()->updateEnabled();
        QVERIFY(FileNewGame()->Enabled());
    }

    void editItems_actOnTheFocusedTextField() {
        gameSettingsWindow* d = gameSettingsWindow::get();
        d->Show();
        testing::drain(2);
        QVERIFY(d->isActiveWindow());
        d->playerListBox->setFocus();
        QCOMPARE(editItemsOn(), QString());  // the list has the focus

        d->nameField->setFocus();
        QCOMPARE(editItemsOn(), QStringLiteral("Paste"));
        QTest::keyClicks(d->nameField, QStringLiteral("Hello"));
        d->nameField->selectAll();
        QCOMPARE(editItemsOn(), QStringLiteral("Undo Cut Copy Paste Clear"));
        trigger("EditCopy");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Hello"));
        trigger("EditClear");
        QCOMPARE(d->nameField->text(), QString());
        QVERIFY(!d->addButton->isEnabled());
        trigger("EditUndo");
        QCOMPARE(d->nameField->text(), QStringLiteral("Hello"));
        d->nameField->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("Ann"));
        trigger("EditCut");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Hello"));
        trigger("EditPaste");
        trigger("EditPaste");
        QCOMPARE(d->nameField->text(), QStringLiteral("HelloHello"));

        d->playerListBox->setFocus();
        QCOMPARE(editItemsOn(), QString());
        trigger("EditPaste");
        QCOMPARE(d->nameField->text(), QStringLiteral("HelloHello"));
        d->Close();

        // The game history can be copied, not changed.
        playerListWindow* list = playerListWindow::get();
        list->status->setPlainText(QStringLiteral("It is Ann's turn."));
        list->Show();
        testing::drain(2);
        list->status->setFocus();
        list->status->selectAll();
        QCOMPARE(editItemsOn(), QStringLiteral("Copy"));
        trigger("EditCopy");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("It is Ann's turn."));
    }

    void editCommandChosenDuringAHandler_isDropped_butNotInTheHelpViewer() {
        gameSettingsWindow* d = gameSettingsWindow::get();
        d->Show();
        testing::drain(2);
        d->nameField->setFocus();
        QTest::keyClicks(d->nameField, QStringLiteral("Hello"));
        d->nameField->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("Ann"));
        QCOMPARE(editItemsOn(), QStringLiteral("Undo Cut Copy Paste Clear"));
        {
            fw::HandlerScope rolling;  // its loop yields take the menu command
            for (const char* name : {"EditPaste", "EditCut", "EditClear", "EditCopy"}) trigger(name);
        }
        testing::drain(5);  // nor is it carried out later
        QCOMPARE(d->nameField->text(), QStringLiteral("Hello"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Ann"));
        QVERIFY(editItemsOn().contains(QStringLiteral("Paste")));
        trigger("EditPaste");
        QCOMPARE(d->nameField->text(), QStringLiteral("Ann"));
        d->Close();

        helpWindow* help = helpWindow::get();
        help->Show();
        testing::drain(2);
        help->findEdit->setFocus();
        QVERIFY(editItemsOn().contains(QStringLiteral("Paste")));
        {
            fw::HandlerScope rolling;
            trigger("EditPaste");
        }
        QCOMPARE(help->findEdit->text(), QStringLiteral("Ann"));
        help->Close();
    }

    void commandChosenDuringAHandler_waitsUntilItReturns() {
        App()->EnableMenuItems();
        QStringList shown;
        fw::Window::setModalHook([&shown](fw::Window* w) {
            shown << w->windowTitle();
            w->Close();
        });
        {
            fw::HandlerScope rolling;  // as while the dice roll or a computer plays
            trigger("FileNewGame");
            testing::drain(5);
            QVERIFY(shown.isEmpty());
        }
        testing::drain(5);
        fw::Window::setModalHook(nullptr);
        QCOMPARE(shown, QStringList{QStringLiteral("New Game Settings")});
    }
    // Nothing copied yet in the desktop session: every field of the game survives a paste.
    void emptyClipboard_everyFieldEveryPath_pastesNothing() {
        helpWindow* help = helpWindow::get();
        help->helpField->setText(QStringLiteral("Manual text"));
        pasteNothingEveryWay(help, help->helpField, help->helpField->viewport());
        playerListWindow* list = playerListWindow::get();
        list->status->setPlainText(QStringLiteral("It is Ann's turn."));
        QVERIFY(qobject_cast<fw::TextEdit*>(list->status));
        pasteNothingEveryWay(list, list->status, list->status->viewport());
        gameSettingsWindow* d = gameSettingsWindow::get();
        d->nameField->setText(QStringLiteral("Ann"));
        pasteNothingEveryWay(d, d->nameField, d->nameField);

        // Once there is text, the key and the menu paste it.
        QGuiApplication::clipboard()->setText(QStringLiteral("!"));
        help = helpWindow::get();
        help->Show();
        testing::drain(2);
        help->helpField->setFocus();
        help->helpField->moveCursor(QTextCursor::End);
        QTest::keyClick(help->helpField, Qt::Key_V, Qt::ControlModifier);
        Menu::get()->updateEnabled();
        trigger("EditPaste");
        QVERIFY(help->helpField->Text().endsWith(QStringLiteral("!!")));
        help->Close();
    }
};

ZORVIK_TEST(MenuTest)
#include "test_menu.moc"
