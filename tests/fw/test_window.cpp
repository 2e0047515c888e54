#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "fw/dialogs.h"
#include "fw/events.h"
#include "fw/placement.h"
#include "fw/window.h"
#include "tests/support/testsupport.h"

namespace {
// A window whose button closes the window from inside its own handler.
class ProbeWindow : public fw::Window {
    Q_OBJECT
  public:
    static ProbeWindow* get() { return fw::Window::get<ProbeWindow>(); }
    fw::PushButton* closeButton = nullptr;
    fw::PushButton* okButton = nullptr;
    fw::PushButton* cancelButton = nullptr;
    int opened = 0;
    QStringList log;
    bool aliveAfterClose = false;
    QString keys;

  protected:
    void createControls() override {
        closeButton = new fw::PushButton(QStringLiteral("Close"), content());
        closeButton->action = [this] {
            Close();
            // Still a valid object here: the handler on it has not returned.
            aliveAfterClose = isClosed() && closeButton->text() == QLatin1String("Close");
            log << QStringLiteral("after close");
        };
        okButton = new fw::PushButton(QStringLiteral("OK"), content());
        okButton->action = [this] { log << QStringLiteral("ok"); };
        cancelButton = new fw::PushButton(QStringLiteral("Cancel"), content());
        cancelButton->action = [this] { log << QStringLiteral("cancel"); };
        setDefaultButton(okButton);
        setCancelButton(cancelButton);
    }
    void Open() override { ++opened; }
    bool KeyDown(const QString& key) override {
        keys += key;
        return key == QLatin1String("x");
    }
};
// A game window with a text field, a popup and a long list.
class ControlsWindow : public fw::Window {
    Q_OBJECT
  public:
    QLineEdit* field = nullptr;
    QComboBox* popup = nullptr;
    QTreeWidget* list = nullptr;

  protected:
    void createControls() override {
        setContentSize(300, 200);
        field = new QLineEdit(content());
        popup = new QComboBox(content());
        popup->addItems({QStringLiteral("one"), QStringLiteral("two")});
        popup->move(0, 30);
        list = new QTreeWidget(content());
        list->setGeometry(0, 60, 200, 100);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        for (int i = 0; i < 40; ++i) new QTreeWidgetItem(list, {QString::number(i)});
    }
};

QPointingDevice* touchScreen() {
    static QPointingDevice* device = QTest::createTouchDevice();
    return device;
}

// The same controls in a window that is no part of the game.
class ViewerWindow : public ControlsWindow {
    Q_OBJECT
  public:
    bool dropsInputWhileBusy() const override { return false; }
};

// Another game window, shown modally.
class DialogWindow : public ControlsWindow {
    Q_OBJECT
};
}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void accessor_returnsOneWindowUntilClosed() {
        ProbeWindow* w = ProbeWindow::get();
        QCOMPARE(ProbeWindow::get(), w);
        QCOMPARE(w->opened, 1);
        QVERIFY(!w->isVisible());
        w->Close();
        ProbeWindow* again = ProbeWindow::get();
        QVERIFY(again != w);
        QCOMPARE(again->opened, 1);
        again->Close();
        testing::drain(3);
    }

    void closeInsideHandler_keepsWindowValidUntilItReturns() {
        QPointer<ProbeWindow> w = ProbeWindow::get();
        w->Show();
        w->closeButton->Push();
        QVERIFY(!w.isNull());
        QVERIFY(w->aliveAfterClose);
        QCOMPARE(w->log, QStringList{QStringLiteral("after close")});
        QVERIFY(ProbeWindow::get() != w.data());
        testing::drain(3);
        QVERIFY(w.isNull());  // destroyed once every handler had returned
        ProbeWindow::get()->Close();
    }

    void disabledButton_ignoresPushAndClick() {
        ProbeWindow* w = ProbeWindow::get();
        w->okButton->setEnabled(false);
        w->okButton->Push();
        w->okButton->click();
        QVERIFY(w->log.isEmpty());
        w->okButton->setEnabled(true);
        w->okButton->personGate = [] { return false; };
        w->okButton->click();
        QVERIFY(w->log.isEmpty());  // a person may not press now
        w->okButton->Push();        // the game itself still may
        QCOMPARE(w->log, QStringList{QStringLiteral("ok")});
        w->Close();
    }

    void personInput_whileAHandlerRuns_isDroppedButModalWindowsTakeIt() {
        ProbeWindow* w = ProbeWindow::get();
        w->Show();
        {
            fw::HandlerScope running;  // input met in this handler's loop yields
            QTest::mouseClick(w->okButton, Qt::LeftButton);
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY(w->log.isEmpty());
            w->okButton->Push();   // the game itself still presses
            fw::ModalScope modal;  // a modal window shown from the handler
            w->okButton->click();
        }
        QCOMPARE(w->log, (QStringList{QStringLiteral("ok"), QStringLiteral("ok")}));
        w->okButton->click();
        QCOMPARE(w->log.size(), 3);
        w->Close();
    }

    void everyControl_dropsInputWhileAHandlerRuns_unlessItsWindowOptsOut() {
        ControlsWindow* w = fw::Window::get<ControlsWindow>();
        ViewerWindow* viewer = fw::Window::get<ViewerWindow>();
        w->Show();
        viewer->Show();
        QTreeWidgetItem* row = w->list->topLevelItem(0);
        const auto wheel = [](QWidget* to) {
            QWheelEvent e(QPointF(5, 5), to->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(to, &e);
        };
        // A field's menu, open as the handler begins: choosing Paste in it is the field's input.
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QContextMenuEvent opened(QContextMenuEvent::Mouse, QPoint(5, 5), w->field->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w->field, &opened);
        QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        {
            fw::HandlerScope running;
            QAction* paste = nullptr;
            for (QAction* a : menu->actions())
                if (a->text().startsWith(QLatin1String("&Paste"))) paste = a;
            QVERIFY(paste && paste->isEnabled());
            QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, menu->actionGeometry(paste).center());
            QVERIFY(menu && menu->isVisible());
            QTest::keyClick(menu, Qt::Key_Escape);  // closing it goes on
            QVERIFY(!menu || !menu->isVisible());
            QTest::keyClicks(w->field, QStringLiteral("abc"));
            wheel(w->popup);
            QTest::mouseClick(w->list->viewport(), Qt::LeftButton, {}, w->list->visualItemRect(row).center());
            QTest::keyClick(w->list, Qt::Key_Space);
            QTest::keyClicks(viewer->field, QStringLiteral("abc"));
            wheel(w->list->viewport());  // only scrolls: let through
        }
        QCOMPARE(w->field->text(), QString());
        QCOMPARE(w->popup->currentIndex(), 0);
        QVERIFY(!row->isSelected());
        QCOMPARE(viewer->field->text(), QStringLiteral("abc"));
        QVERIFY(w->list->verticalScrollBar()->value() > 0);
        QTest::keyClicks(w->field, QStringLiteral("abc"));
        wheel(w->popup);
        QCOMPARE(w->field->text(), QStringLiteral("abc"));
        QCOMPARE(w->popup->currentIndex(), 1);
        w->Close();
        viewer->Close();
    }

    // As a person's input arrives: at the window, before QApplication hands out focus on a press.
    void clickDroppedAtTheWindow_movesNoFocus_andCommitsNoEditor() {
        ControlsWindow* w = fw::Window::get<ControlsWindow>();
        w->Show();
        w->activateWindow();
        testing::drain(1);
        QTreeWidgetItem* row = w->list->topLevelItem(0);
        row->setFlags(row->flags() | Qt::ItemIsEditable);
        QSignalSpy changes(w->list, &QTreeWidget::itemChanged);
        w->list->editItem(row, 0);
        const QModelIndex cell = w->list->model()->index(0, 0);
        QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(w->list->indexWidget(cell));
        QVERIFY(editor && editor->hasFocus());
        editor->setText(QStringLiteral("renamed"));
        QScrollBar* bar = w->list->verticalScrollBar();
        const auto at = [w](QWidget* c, QPoint p) { return c->mapTo(w, p); };
        const auto wheel = [w, &at](QWidget* over) {
            const QPointF p = at(over, QPoint(5, 5));
            QWheelEvent e(p, w->mapToGlobal(p), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w->windowHandle(), &e);
        };
        {
            fw::HandlerScope running;
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at(w->field, QPoint(5, 5)));
            QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, at(w->popup, QPoint(5, 5)));
            wheel(w->popup);
            wheel(w->list->viewport());  // only scrolls, without taking the focus
            QVERIFY(bar->value() > 0);
            const int scrolled = bar->value();
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at(bar, QPoint(5, bar->height() - 20)));
            QCOMPARE(bar->value(), scrolled + bar->pageStep());
            QVERIFY(!QWidget::mouseGrabber());  // the release reached the bar
            // A touch as the mouse: it scrolls, and is dropped elsewhere.
            for (QPoint p : {at(w->field, QPoint(5, 5)), at(bar, QPoint(5, bar->height() - 20))}) {
                QTest::touchEvent(w->windowHandle(), touchScreen()).press(0, p, w->windowHandle());
                QTest::touchEvent(w->windowHandle(), touchScreen()).release(0, p, w->windowHandle());
            }
            QCOMPARE(bar->value(), scrolled + 2 * bar->pageStep());
            QVERIFY(!QWidget::mouseGrabber());
            QVERIFY(editor && editor->hasFocus());
        }
        QVERIFY(changes.isEmpty() && editor && w->list->indexWidget(cell) == editor);
        QCOMPARE(w->popup->currentIndex(), 0);
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at(w->field, QPoint(5, 5)));
        QVERIFY(w->field->hasFocus());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(row->text(0), QStringLiteral("renamed"));
        w->Close();
    }

    void keys_reachWindowThenDefaultAndCancelButtons() {
        ProbeWindow* w = ProbeWindow::get();
        w->Show();
        QTest::keyClick(w, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_Escape);
        QTest::keyClick(w, Qt::Key_X);
        QCOMPARE(w->log, (QStringList{QStringLiteral("ok"), QStringLiteral("cancel")}));
        QVERIFY(w->keys.contains(QLatin1Char('x')));
        w->Close();
    }

    void showModal_returnsWhenClosedByHook() {
        QStringList seen;
        fw::Window::setModalHook([&seen](fw::Window* w) {
            seen << QStringLiteral("up");
            static_cast<ProbeWindow*>(w)->closeButton->Push();
        });
        ProbeWindow::get()->ShowModal();
        fw::Window::setModalHook(nullptr);
        QCOMPARE(seen, QStringList{QStringLiteral("up")});
        testing::drain(3);
        ProbeWindow::get()->Close();
    }

    // A box is transient for the window it comes up over, so that a window manager keeps it above
    // that one: a modal window, not the window pressed in before it came up. Its text is copied as
    // given, without the break chances that let a long address wrap.
    void messageBox_overAModalWindow_isItsOwn_andCopiesItsTextAsGiven() {
        ControlsWindow* w = fw::Window::get<ControlsWindow>();
        w->Show();
        QTest::keyClick(w, Qt::Key_Shift);
        const QString message = QStringLiteral("Look here:\nhttps://dl.example/") + QString(200, u'z');
        QWindow *modalWindow = nullptr, *owner = nullptr;
        QString copied;
        fw::setDialogResponder(nullptr);
        fw::Window::setModalHook([&](fw::Window* modal) {
            modalWindow = modal->windowHandle();
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                owner = box->windowHandle()->transientParent();
                label->setSelection(0, int(label->text().size()));
                for (QObject* control : label->children())
                    if (control->inherits("QWidgetTextControl")) QMetaObject::invokeMethod(control, "copy");
                copied = QGuiApplication::clipboard()->text();
                box->accept();
            });
            fw::MsgBox(message);
            modal->Close();
        });
        fw::Window::get<DialogWindow>()->ShowModal();  // opened by the game: no press in it
        fw::Window::setModalHook(nullptr);
        fw::setDialogResponder([](const fw::DialogRecord&) { return 0; });
        QCOMPARE(owner, modalWindow);
        QCOMPARE(copied, message);
        w->Close();
    }

    void locks_keepTheEdgesGivenAtDesignTimeOnEveryResize() {
        auto* w = new fw::Window;
        w->setContentSize(400, 300);
        QWidget* c = w->content();
        auto* stretch = new QWidget(c);  // all four
        stretch->setGeometry(10, 20, 300, 200);
        auto* corner = new QWidget(c);  // right and bottom: moves with that corner
        corner->setGeometry(330, 260, 60, 30);
        auto* group = new QWidget(c);  // left, right, bottom: a box along the bottom edge
        group->setGeometry(10, 230, 300, 60);
        auto* field = new QWidget(group);  // inside it, left and right
        field->setGeometry(5, 10, 200, 20);
        auto* button = new QWidget(group);  // inside it, right only
        button->setGeometry(220, 10, 70, 20);
        w->lock(stretch, true, true, true, false);
        w->lock(stretch, true, true, true, true);  // a second call replaces the first
        w->lock(corner, false, false, true, true);
        w->lock(group, true, false, true, true);
        w->lock(field, true, false, true, false);
        w->lock(button, false, false, true, false);
        w->Show();
        w->resize(500, 450);
        testing::drain(2);
        QCOMPARE(c->size(), QSize(500, 450));
        QCOMPARE(stretch->geometry(), QRect(10, 20, 400, 350));
        QCOMPARE(corner->geometry(), QRect(430, 410, 60, 30));
        QCOMPARE(group->geometry(), QRect(10, 380, 400, 60));
        QCOMPARE(field->geometry(), QRect(5, 10, 300, 20));
        QCOMPARE(button->geometry(), QRect(320, 10, 70, 20));
        w->Close();
        testing::drain(3);
    }

    void placeAt_fitsTheFrameOntoTheAvailableArea() {
        fw::setAvailableAreaForTests(QRect(0, 30, 640, 450));
        auto* w = new fw::Window;
        w->setContentSize(300, 200);
        w->placeAt(QPoint(500, 400));
        QCOMPARE(w->pos(), QPoint(340, 280));
        w->placeAt(QPoint(20, 40));  // fits: left where it is asked for
        QCOMPARE(w->pos(), QPoint(20, 40));
        w->centreOver(nullptr);  // over the available area
        QCOMPARE(w->frameGeometry().center(), QRect(0, 30, 640, 450).center());
        w->Close();
        testing::resetGame();
        QCOMPARE(fw::fitOnScreen(QRect(-50, 700, 100, 100), QRect(10, 20, 800, 600)), QPoint(10, 520));
        // Larger than the area: its top-left corner stays on it, so the title bar can be reached.
        QCOMPARE(fw::fitOnScreen(QRect(8, 45, 900, 700), QRect(0, 30, 800, 500)), QPoint(0, 30));
    }

    void placedWindow_grownAsItShows_isFittedAgainUntilItHasPainted() {
        const QRect area(0, 24, 800, 476);
        fw::setAvailableAreaForTests(area);
        auto* w = new fw::Window;
        w->setContentSize(300, 200);
        w->Show();
        testing::drain(3);
        w->hide();  // its frame is known from now on
        w->placeAt(QPoint(790, 300));
        w->content()->setMinimumSize(360, 240);  // laid out larger as it shows
        w->Show();
        testing::drain(3);
        QVERIFY(area.contains(w->frameGeometry()));
        QCOMPARE(w->frameGeometry().right(), area.right());
        // Once on the screen, a resize leaves it where it stands.
        const QPoint at = w->pos();
        w->resize(w->width() + 100, w->height());
        testing::drain(3);
        QCOMPARE(w->pos(), at);
        w->Close();
        testing::resetGame();
    }

    void centredWindow_isCentredAgainOnceItsFrameIsKnown() {
        fw::setAvailableAreaForTests(QRect(0, 30, 1000, 700));
        auto* w = new fw::Window;
        w->setContentSize(300, 200);
        w->centreOver(nullptr);  // before it has a frame (2 px on each side here)
        w->Show();
        testing::drain(3);
        QCOMPARE(w->frameGeometry().center(), QRect(0, 30, 1000, 700).center());
        w->Close();
        testing::resetGame();
        const QRect over(100, 100, 600, 400);
        // Before the window manager's frame: the bare window centred.
        QCOMPARE(fw::frameSpot(QSize(300, 200), QPoint(), over, QRect(0, 0, 1000, 800)), QPoint(250, 200));
        // With a 30 px title bar and 1 px edges the framed window is centred, not its old corner kept.
        const QPoint framed = fw::frameSpot(QSize(302, 231), QPoint(), over, QRect(0, 0, 1000, 800));
        QCOMPARE(QRect(framed, QSize(302, 231)).center(), over.center());
        // Not centred: the corner asked for, fitted onto the area.
        QCOMPARE(fw::frameSpot(QSize(302, 231), QPoint(900, 20), QRect(), QRect(0, 0, 1000, 800)),
                 QPoint(698, 20));
    }

    void deferredWork_waitsForHandlersAndKeepsOrder() {
        QStringList order;
        {
            fw::HandlerScope outer;
            fw::runWhenIdle([&order] {
                order << QStringLiteral("first");
                fw::runWhenIdle([&order] { order << QStringLiteral("third"); });
                QCOMPARE(fw::handlerDepth(), 1);
            });
            fw::runWhenIdle([&order] { order << QStringLiteral("second"); });
            testing::drain(3);
            QVERIFY(order.isEmpty());  // a handler is still running
        }
        testing::drain(10);
        QCOMPARE(order,
                 (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));
    }

    void deferredWork_alreadyPosted_waitsForAHandlerThatBeganMeanwhile() {
        // Shared with the work, which may outlive a failed check.
        auto depthsThen = std::make_shared<QList<int>>();
        fw::runWhenIdle([depthsThen] { *depthsThen << fw::handlerDepth(); });  // no handler runs: on its way
        {
            fw::HandlerScope rolling;
            testing::drain(3);  // the handler's loop yields meet it
            QVERIFY(depthsThen->isEmpty());
            fw::HandlerScope nested;
            testing::drain(3);
            QVERIFY(depthsThen->isEmpty());
        }
        testing::drain(3);
        QCOMPARE(*depthsThen, QList<int>{1});  // once, as a handler of its own
    }
};

ZORVIK_TEST(WindowTest)
#include "test_window.moc"
