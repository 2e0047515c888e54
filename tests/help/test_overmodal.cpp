#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "base/resources.h"
#include "fw/dialogs.h"
#include "fw/menu.h"
#include "shell/aboutwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/playerlistwindow.h"
#include "tests/help/overmodal.h"

namespace {
QPushButton* boxButton(QMessageBox* box, const QString& caption) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == caption) return qobject_cast<QPushButton*>(b);
    return nullptr;
}

// Counts a person's presses and keys that reach a window or its controls.
class InputCounter : public QObject {
  public:
    explicit InputCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress) && receiver->isWidgetType() &&
            static_cast<QWidget*>(receiver)->window() == window_)
            ++count;
        return false;
    }

  private:
    QWidget* window_;
};

void pressAndType(QWidget* window) {
    helptest::click(window, QPoint(20, window->height() / 2));
    helptest::activate(window);
    QTest::keyClick(window->windowHandle(), Qt::Key_A);
}

// Ends a modal loop that the test's own clicks failed to end, so that a failure cannot hang.
void closeIfStillOpen(fw::Window* w, QStringList& failed) {
    if (w->isClosed()) return;
    failed << QStringLiteral("the modal window's button did not close it");
    w->Close();
}
}  // namespace

class HelpOverModalTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        testing::resetGame();
        setUpApplication();
        forgetKeptResources();
    }
    void cleanup() {
        fw::Window::setModalHook(nullptr);
        fw::Window::setMenuBarFactory(nullptr);
    }

    // Before any menu has opened (the first start), the manual and Quit answer their keys.
    void menuBar_autoEnabledItemsAreOnFromTheStart() {
        fw::MenuBar bar;
        auto* menu = new fw::MenuItem;
        bar.Append(menu);
        auto* manual = new fw::MenuItem;
        manual->setAutoEnable(true);
        menu->Append(manual);
        auto* plain = new fw::MenuItem;
        menu->Append(plain);
        QVERIFY(manual->Enabled() && !plain->Enabled());
        bar.enableMenuItems = [&] { manual->setEnabled(false); };
        bar.updateEnabled();  // the application's enabling has the last word
        QVERIFY(!manual->Enabled());
        bar.enableMenuItems = nullptr;
        bar.updateEnabled();
        QVERIFY(manual->Enabled() && !plain->Enabled());
    }

    void newGameDialog_keysShowTheManual_whichTakesInput_andCancelStillActs() {
        playerListWindow* game = playerListWindow::get();
        game->Show();
        InputCounter reachedGame(game);
        QStringList failed;
        bool hooked = false;
        fw::Window::setModalHook([&](fw::Window* w) {
            hooked = true;
            auto* d = qobject_cast<gameSettingsWindow*>(w);
            failed = helptest::useHelpOver(d);
            pressAndType(game);  // the game's windows wait for the dialog
            helptest::activate(d);
            helptest::click(d->cancelButton, d->cancelButton->rect().center());
            closeIfStillOpen(d, failed);
        });
        gameSettingsWindow::get()->ShowModal();
        QVERIFY(hooked);
        QCOMPARE(failed.join(QStringLiteral("; ")), QString());
        QVERIFY(!fw::Window::ifOpen<gameSettingsWindow>());
        QCOMPARE(reachedGame.count, 0);
        pressAndType(game);
        QVERIFY(reachedGame.count > 0);
    }

    void aboutBox_overAnOpenManual_bothTakeInput() {
        helpWindow::get()->helpShow(zorvikmanual());
        QStringList failed;
        fw::Window::setModalHook([&](fw::Window* about) {
            failed = helptest::useHelpOver(about);
            helptest::click(about, QPoint(200, 150));  // a press anywhere closes the box
            closeIfStillOpen(about, failed);
        });
        aboutWindow::get()->ShowModal();
        QCOMPARE(failed.join(QStringLiteral("; ")), QString());
        QVERIFY(!fw::Window::ifOpen<aboutWindow>());
    }

    // The box comes up after a press in the manual, over the new-game dialog, which takes no input
    // while the box waits and all of it afterwards.
    void messageBox_overTheDialog_leavesTheManualUsable_andReturnsItsButton() {
        fw::setDialogResponder(nullptr);
        QStringList failed;
        fw::DialogButton pressed = fw::DialogButton::Action;
        QString typedWhileBlocked, typedAfter;
        fw::Window::setModalHook([&](fw::Window* w) {
            auto* d = qobject_cast<gameSettingsWindow*>(w);
            helpWindow* help = helpWindow::get();
            help->helpShow(zorvikmanual());
            helptest::activate(help);
            helptest::click(help->topicsList->viewport(), QPoint(20, 5));
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) {
                    failed << QStringLiteral("no box");
                    return;
                }
                failed = helptest::useHelpOver(box);
                helptest::typeInto(d->nameField, QStringLiteral("x"));
                typedWhileBlocked = d->nameField->text();
                helptest::click(boxButton(box, QStringLiteral("Other")), QPoint(5, 5));
                if (box->isVisible()) box->reject();
            });
            fw::MessageDialog box;
            box.Message = QStringLiteral("Something to say.");
            box.CancelButton = QStringLiteral("Cancel");
            box.AlternateButton = QStringLiteral("Other");
            pressed = box.ShowModal();
            helptest::typeInto(d->nameField, QStringLiteral("Ann"));
            typedAfter = d->nameField->text();
            helptest::click(d->cancelButton, d->cancelButton->rect().center());
            closeIfStillOpen(d, failed);
        });
        gameSettingsWindow::get()->ShowModal();
        QCOMPARE(failed.join(QStringLiteral("; ")), QString());
        QCOMPARE(typedWhileBlocked, QString());
        QVERIFY(pressed == fw::DialogButton::Alternate);
        QCOMPARE(typedAfter, QStringLiteral("Ann"));
        QVERIFY(!fw::Window::ifOpen<gameSettingsWindow>());
    }
};

ZORVIK_TEST(HelpOverModalTest)
#include "test_overmodal.moc"
