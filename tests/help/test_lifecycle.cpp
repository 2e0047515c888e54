#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "base/resources.h"
#include "fw/canvas.h"
#include "fw/dialogs.h"
#include "fw/editfield.h"
#include "fw/events.h"
#include "fw/listbox.h"
#include "fw/menu.h"
#include "fw/text.h"
#include "help/helpwindow.h"
#include "shell/aboutwindow.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "shell/menu.h"
#include "shell/playerlistwindow.h"
#include "tests/help/helptestsupport.h"
#include "tests/support/overmodal.h"
#include "tests/support/testsupport.h"

namespace {
QString longManual() {
    QStringList body{QStringLiteral("<a name=\"Long\"></a><b>Start</b>")};
    for (int i = 1; i <= 80; ++i) body << QStringLiteral("Line %1 of a long topic.").arg(i);
    body << QStringLiteral("<a name=\"Short\"></a>short") << QStringLiteral("<a name=\"Short:Sub\"></a>sub");
    return helptest::manual(body);
}

void pressAndType(QWidget* window) {
    helptest::click(window, QPoint(20, window->height() / 2));
    helptest::activate(window);
    QTest::keyClick(window->windowHandle(), Qt::Key_A);
}
}  // namespace

class HelpLifecycleTest : public QObject {
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

    void instructions_opensTheManualAtItsFirstTopic() {
        Menu::get()->updateEnabled();
        QVERIFY(HelpInstructions()->Enabled());
        const QList<QKeySequence> keys = HelpInstructions()->action()->shortcuts();
        QVERIFY(keys.contains(QKeySequence(Qt::Key_F1)));
        QVERIFY(keys.contains(fw::shortcutFromText(QStringLiteral("Cmd+?"))));
        HelpInstructions()->action()->trigger();
        helpWindow* w = fw::Window::ifOpen<helpWindow>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Help Window"));
        QVERIFY(w->helpTopic.ubound() > 10);
        QCOMPARE(w->topicsList->ListIndex(), 0);
        QCOMPARE(w->topicsList->Text(), w->helpTopic[1]);
        QCOMPARE(w->helpField->Text(), w->helpText[1]);
        QCOMPARE(w->helpField->SelStart(), 0);
        QVERIFY(w->helpField->isVisible());
        QVERIFY(w->helpField->TextStyleData() == w->helpStyle[1]);
    }

    void instructionsOverTheNewGameDialog_opensAtOnceAndTakesInput() {
        bool opened = false, dialogStillUp = false;
        QString row;
        fw::Window::setModalHook([&](fw::Window* dialog) {
            Menu::get()->updateEnabled();
            HelpInstructions()->action()->trigger();
            helpWindow* w = fw::Window::ifOpen<helpWindow>();
            opened = w && w->isVisible();
            if (opened) {
                // Through the window system, where the modal dialog's block applies.
                w->activateWindow();
                testing::drain(20);
                w->helpField->setFocus();
                QTest::keyClick(w->windowHandle(), Qt::Key_Down);
                row = w->topicsList->Text();
            }
            FileNewGame()->action()->trigger();  // the dialog is up already: nothing more opens
            dialogStillUp = dialog->isVisible();
            dialog->Close();
        });
        gameSettingsWindow::get()->ShowModal();
        QVERIFY(opened);
        QVERIFY(dialogStillUp);
        QCOMPARE(row, helpWindow::get()->helpTopic[2]);
    }

    // Before any menu has opened (the first start), the manual and Quit answer their keys.
    void menuBar_autoEnabledItemsAreOnFromTheStart() {
        fw::MenuBar bar;
        auto *menu = new fw::MenuItem, *manual = new fw::MenuItem, *plain = new fw::MenuItem;
        bar.Append(menu);
        manual->setAutoEnable(true);
        menu->Append(manual);
        menu->Append(plain);
        QVERIFY(manual->Enabled() && !plain->Enabled());
        bar.enableMenuItems = [&] { manual->setEnabled(false); };
        bar.updateEnabled();  // the application's enabling has the last word
        QVERIFY(!manual->Enabled());
        bar.enableMenuItems = nullptr;
        bar.updateEnabled();
        QVERIFY(manual->Enabled() && !plain->Enabled());
    }

    // The manual, open before or shown by its keys, takes every input while a modal window waits.
    void newGameDialog_keysShowTheManual_whichTakesInput_andCancelStillActs() {
        playerListWindow* game = playerListWindow::get();
        game->Show();
        helptest::InputCounter reachedGame(game);
        QStringList failed{QStringLiteral("no dialog")};
        fw::Window::setModalHook([&](fw::Window* w) {
            auto* d = qobject_cast<gameSettingsWindow*>(w);
            failed = helptest::useHelpOver(d);
            pressAndType(game);  // the game's windows wait for the dialog
            helptest::activate(d);
            helptest::click(d->cancelButton, d->cancelButton->rect().center());
            helptest::closeIfStillOpen(d, failed);
        });
        gameSettingsWindow::get()->ShowModal();
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QStringLiteral("; "))));
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
            helptest::closeIfStillOpen(about, failed);
        });
        aboutWindow::get()->ShowModal();
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QStringLiteral("; "))));
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
                failed = box ? helptest::useHelpOver(box) : QStringList{QStringLiteral("no box")};
                helptest::typeInto(d->nameField, QStringLiteral("x"));
                typedWhileBlocked = d->nameField->text();
                for (QAbstractButton* b : box ? box->buttons() : QList<QAbstractButton*>())
                    if (b->text() == QStringLiteral("Other")) helptest::click(b, QPoint(5, 5));
                if (box && box->isVisible()) box->reject();
            });
            fw::MessageDialog box;
            box.Message = QStringLiteral("Something to say.");
            box.CancelButton = QStringLiteral("Cancel");
            box.AlternateButton = QStringLiteral("Other");
            pressed = box.ShowModal();
            helptest::typeInto(d->nameField, QStringLiteral("Ann"));
            typedAfter = d->nameField->text();
            helptest::click(d->cancelButton, d->cancelButton->rect().center());
            helptest::closeIfStillOpen(d, failed);
        });
        gameSettingsWindow::get()->ShowModal();
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QStringLiteral("; "))));
        QCOMPARE(typedWhileBlocked, QString());
        QVERIFY(pressed == fw::DialogButton::Alternate);
        QCOMPARE(typedAfter, QStringLiteral("Ann"));
        QVERIFY(!fw::Window::ifOpen<gameSettingsWindow>());
    }

    void closeHides_andTheNextShowKeepsTopicSelectionScrollAndSearch() {
        helpWindow* w = helpWindow::get();
        w->helpShow(longManual());
        w->resize(575, 390);
        w->helpShowTopic(QStringLiteral("Sub"));
        w->helpShowTopic(QStringLiteral("Long"));
        w->findEdit->setText(QStringLiteral("Line 4"));
        QScrollBar* bar = w->helpField->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum() / 2);
        const int scrolled = bar->value();
        QVERIFY(!w->close());  // the close box
        QVERIFY(!w->isVisible());
        QCOMPARE(fw::Window::ifOpen<helpWindow>(), w);
        // Another manual changes nothing: the window converts once in its life.
        w->helpShow(helptest::manual({QStringLiteral("<a name=\"Other\"></a>x")}));
        QCOMPARE(helpWindow::get(), w);
        QVERIFY(w->isVisible());
        QCOMPARE(helptest::rows(w), (QStringList{"Long", "-Short", "Sub"}));
        QCOMPARE(w->topicsList->Text(), QStringLiteral("Long"));
        QCOMPARE(w->findEdit->text(), QStringLiteral("Line 4"));
        QCOMPARE(bar->value(), scrolled);
        // Quitting destroys it.
        QVERIFY(!w->CancelClose(true));
        w->Close();
        testing::drain();
        QVERIFY(!fw::Window::ifOpen<helpWindow>());
    }

    void reopened_comesBackWhereAndAsLargeAsItWasClosed() {
        HelpInstructions()->action()->trigger();
        helpWindow* w = fw::Window::ifOpen<helpWindow>();
        QVERIFY(w);
        w->move(310, 220);
        w->resize(640, 430);
        testing::drain(3);
        const QRect frame = w->frameGeometry();
        QVERIFY(!w->close());  // the close box
        QVERIFY(!w->isVisible());
        HelpInstructions()->action()->trigger();
        testing::drain(3);
        QCOMPARE(helpWindow::get(), w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->frameGeometry(), frame);
        QCOMPARE(w->windowHandle()->position(), w->geometry().topLeft());
    }

    void typing_changesOnlyTheShownText() {
        helpWindow* w = helptest::load(longManual());
        const QString stored = w->helpText[1], style = w->helpStyle[1];
        QTest::keyClicks(w->helpField, QStringLiteral("typed "));
        QVERIFY(w->helpField->Text().startsWith(QStringLiteral("typed Start")));
        QCOMPARE(w->helpText[1], stored);
        w->helpShowTopic(QStringLiteral("Short"));
        w->helpShowTopic(QStringLiteral("Long"));
        QCOMPARE(w->helpField->Text(), stored);
        QCOMPARE(w->helpField->TextStyleData(), style);
        QCOMPARE(helptest::styleAt(w, 1, 0), QStringLiteral("b"));
    }

    void personInput_reachesTheWindowWhileAGameHandlerRuns() {
        helpWindow* w = helpWindow::get();
        w->helpShow(longManual());
        fw::HandlerScope rolling;  // as while the dice roll: the game's windows drop input
        QVERIFY(!fw::personInputIdle());
        QTest::keyClick(w->helpField, Qt::Key_Down);
        QCOMPARE(w->topicsList->Text(), QStringLiteral("Short"));
        QTest::keyClick(w->helpField, Qt::Key_Right);
        QCOMPARE(helptest::rows(w), (QStringList{"Long", "-Short", "Sub"}));
        const QRect row = w->topicsList->visualItemRect(w->topicsList->topLevelItem(0));
        QTest::mouseClick(w->topicsList->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(w->topicsList->Text(), QStringLiteral("Long"));
        QTest::keyClicks(w->findEdit, QStringLiteral("abc"));
        QCOMPARE(w->findEdit->text(), QStringLiteral("abc"));
    }

    void resize_keepsTheControlsAtTheirEdges() {
        helpWindow* w = helptest::load(longManual());
        w->Show();
        const QSize before = w->content()->size();
        const QRect list = w->topicsList->geometry(), field = w->helpField->geometry(),
                    find = w->findButton->geometry(), edit = w->findEdit->geometry();
        w->resize(w->width() + 100, w->height() + 50);
        QCOMPARE(w->content()->size(), before + QSize(100, 50));
        QCOMPARE(w->topicsList->geometry(), list.adjusted(0, 0, 0, 50));
        QCOMPARE(w->helpField->geometry(), field.adjusted(0, 0, 100, 50));
        QCOMPARE(w->findButton->geometry(), find.translated(100, 50));
        QCOMPARE(w->findEdit->geometry(), edit.adjusted(0, 50, 100, 50));
        QCOMPARE(w->LabelArray[0]->geometry(), QRect(13, 4, 140, 22));
        QCOMPARE(w->LabelArray[1]->geometry(), QRect(168, 4, 495, 22));
        QVERIFY(!w->pictCanvas->isVisible());
    }

    void shippedManual_linksFindTopicsAndEveryTopicHasARow() {
        helpWindow* w = helptest::load(zorvikmanual());
        const int n = w->helpTopic.ubound();
        QVERIFY(n > 10);
        int internal = 0, external = 0;
        for (int i = 1; i <= w->helpURL.ubound1(); ++i)
            for (int k = 1; k <= w->helpURL.ubound2(); ++k) {
                const QString target = w->helpURL(i, k);
                if (target.isEmpty()) continue;
                QVERIFY2(w->helpURLlen(i, k) > 0, qPrintable(target));
                if (target.startsWith(u'#')) {
                    ++internal;
                    QVERIFY2(w->helpReturnIndex(target.mid(1)) > 0, qPrintable(target));
                } else {
                    ++external;
                }
            }
        QVERIFY(internal >= 3);
        QCOMPARE(external, 1);
        // Opening every folder shows every topic as a row; selecting it shows its text.
        for (int r = 0; r < w->topicsList->ListCount(); ++r)
            if (w->topicsList->isFolder(r)) w->topicsList->setExpanded(r, true);
        QStringList shown = helptest::rows(w);
        for (QString& row : shown) row.remove(QRegularExpression(QStringLiteral("^[+-]")));
        QStringList names;
        for (int i = 1; i <= n; ++i) names << w->helpTopic[i];
        QCOMPARE(shown, names);
        for (int r = 0; r < w->topicsList->ListCount(); ++r) {
            w->topicsList->setListIndex(r);
            QCOMPARE(w->helpField->Text(), w->helpText[w->helpReturnIndex(w->topicsList->Text())]);
        }
    }

    void shippedManual_everyRowNameFitsTheList() {
        helpWindow* w = helptest::load(zorvikmanual());
        w->Show();
        fw::ListBox* list = w->topicsList;
        // The item text keeps a margin of the focus frame and one pixel on each side.
        const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        const auto fits = [&](QTreeWidgetItem* item) {
            const int needed = list->fontMetrics().horizontalAdvance(item->text(0)) + margins;
            return needed <= list->visualItemRect(item).width();
        };
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* top = list->topLevelItem(i);
            QVERIFY2(fits(top), qPrintable(top->text(0)));
            top->setExpanded(true);
            for (int k = 0; k < top->childCount(); ++k)
                QVERIFY2(fits(top->child(k)), qPrintable(top->child(k)->text(0)));
            top->setExpanded(false);
        }
    }
};

ZORVIK_TEST(HelpLifecycleTest)
#include "test_lifecycle.moc"
