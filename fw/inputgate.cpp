#include "fw/inputgate.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>
#include <QWindow>

#include "fw/events.h"
#include "fw/window.h"

namespace fw {
namespace {
bool isPersonInput(const QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        case QEvent::MouseMove:  // a drag, which selects and moves like a press
            return static_cast<const QMouseEvent*>(event)->buttons() != Qt::NoButton;
        default:
            return false;
    }
}

// Looking is not acting: scroll bars, and the wheel over a scrolling view, only move the view.
bool onlyScrolls(QWidget* w, const QEvent* event) {
    if (qobject_cast<QScrollBar*>(w)) return true;
    if (event->type() != QEvent::Wheel || !w->parentWidget()) return false;
    auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget());
    return area && area->viewport() == w;
}

// In a read-only text field (the history) the left button selects, the keys that move the
// insertion point or select and Ctrl+C copy, and the right button opens its menu, which offers
// only Copy and Select All: that changes nothing of the game. Such input the field does not take
// goes on to its window, and is dropped there.
bool onlyLooks(QWidget* w, const QEvent* event) {
    if (!isReadOnlyText(w)) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
            return button == Qt::LeftButton || button == Qt::RightButton;
        }
        case QEvent::ContextMenu:
            return true;
        case QEvent::MouseMove:
            return static_cast<const QMouseEvent*>(event)->buttons() == Qt::LeftButton;
        case QEvent::TouchBegin:  // the field takes no touch: it comes back as the mouse
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<const QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) return true;
            const int k = key->key();
            return k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down ||
                   k == Qt::Key_Home || k == Qt::Key_End || k == Qt::Key_PageUp || k == Qt::Key_PageDown;
        }
        default:
            return false;
    }
}

// The game window a widget belongs to; a popup's list belongs to the window of its popup.
Window* gameWindowOf(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) return nullptr;
        if (auto* window = qobject_cast<Window*>(w)) return window->dropsInputWhileBusy() ? window : nullptr;
    }
    return nullptr;
}

// A control's own popup menu (a text field's context menu) acts on that control. Of those, only a
// read-only text field's opens while a handler runs, and it offers nothing but Copy and Select
// All; any other was open as the handler began, and a choice in it (a release on an item, a key
// that picks one) is dropped, while moving in it and closing it go on. A menu bar's menus keep
// their own rule.
bool choosesInMenuOfControl(QMenu* menu, const QEvent* event) {
    QWidget* control = menu;
    while (qobject_cast<QMenu*>(control)) control = control->parentWidget();
    if (!control || qobject_cast<QMenuBar*>(control) || isReadOnlyText(control) || !gameWindowOf(control))
        return false;
    if (event->type() == QEvent::MouseButtonRelease) return true;
    if (event->type() != QEvent::KeyPress) return false;
    const int k = static_cast<const QKeyEvent*>(event)->key();
    return k != Qt::Key_Escape && k != Qt::Key_Up && k != Qt::Key_Down && k != Qt::Key_Left &&
           k != Qt::Key_Right;
}

bool dropsAtWidget(QWidget* w, QEvent* event) {
    if (auto* menu = qobject_cast<QMenu*>(w)) return choosesInMenuOfControl(menu, event);
    return isPersonInput(event) && !onlyScrolls(w, event) && !onlyLooks(w, event) && gameWindowOf(w);
}

// QApplication hands out focus on these before any filter on the widget sees them: a click on a
// field would move the focus (and commit a list's in-place editor) although the click is dropped.
bool givesFocus(const QEvent* event) {
    const auto type = event->type();
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::Wheel ||
           type == QEvent::TouchBegin;
}

// Judged where the input first arrives, at the window, on the widget under the pointer: the
// widget it is about, or none when it is let through.
QWidget* judgedAtWindow(QWindow* window, QEvent* event) {
    // A popup takes every click while it is up, and keeps its own rules (menus, a popup's list).
    if (personInputIdle() || !givesFocus(event) || QApplication::activePopupWidget()) return nullptr;
    const auto& points = static_cast<const QPointerEvent*>(event)->points();
    if (points.isEmpty()) return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window) continue;
        QWidget* under = top->childAt(points.first().position().toPoint());
        if (!under) under = top;
        return isPersonInput(event) && !onlyLooks(under, event) && gameWindowOf(under) ? under : nullptr;
    }
    return nullptr;
}

// Qt blocks every window but the innermost modal one and the windows that belong to it (its
// transient children), so the windows that opt out belong to it while it waits. For a plain
// window this changes nothing on the desktop (X11 marks only dialogs and tools as transient).
// A modal window of the window's own, such as its message box, still blocks it.
void belongToModal(QWindow* modal) {
    for (Window* w : Window::allOpen()) {
        QWindow* handle = w->windowHandle();
        if (w->dropsInputWhileBusy() || w->isModal() || !handle) continue;
        QWindow* owner = modal;
        for (QWindow* up = modal; up && owner;
             up = up->transientParent() ? up->transientParent() : up->parent())
            if (up == handle) owner = nullptr;
        if (handle->transientParent() != owner) handle->setTransientParent(owner);
    }
}

// As a modal window shows (before Qt blocks the others), as any window shows or hides, and should
// Qt block such a window all the same.
void followModalWindows(QObject* receiver, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::WindowBlocked) {
        if (receiver->isWindowType()) belongToModal(QGuiApplication::modalWindow());
        return;
    }
    if ((type != QEvent::Show && type != QEvent::Hide) || !receiver->isWidgetType()) return;
    auto* w = static_cast<QWidget*>(receiver);
    if (!w->isWindow()) return;
    belongToModal(type == QEvent::Show && w->isModal() ? w->windowHandle() : QGuiApplication::modalWindow());
}

class InputGate : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* receiver, QEvent* event) override {
        followModalWindows(receiver, event);
        if (receiver->isWindowType()) return filterAtWindow(static_cast<QWindow*>(receiver), event);
        if (personInputIdle() || !receiver->isWidgetType() ||
            !dropsAtWidget(static_cast<QWidget*>(receiver), event))
            return false;
        // A release that is dropped must not leave a button drawn pressed.
        if (auto* b = qobject_cast<QAbstractButton*>(receiver); b && b->isDown()) b->setDown(false);
        return true;
    }

  private:
    bool filterAtWindow(QWindow* window, QEvent* event) {
        if (scrolling_ && event->type() == QEvent::MouseButtonRelease) return endScrolling(event);
        QWidget* under = judgedAtWindow(window, event);
        if (!under) return false;
        if (onlyScrolls(under, event)) {
            // No scroll bar takes a touch: it comes back as the mouse, which is judged as such.
            if (event->type() == QEvent::TouchBegin) return false;
            scrollWithoutFocus(under, event);
        }
        return true;
    }

    // Delivered straight to the scroll bar or view, and not as spontaneous input: QApplication
    // then gives the view no focus, which would commit an in-place editor open in it.
    void scrollWithoutFocus(QWidget* under, QEvent* event) {
        const QPointF at =
            under->mapFromGlobal(static_cast<QPointerEvent*>(event)->points().first().globalPosition());
        if (auto* wheel = dynamic_cast<QWheelEvent*>(event)) {
            QWheelEvent copy(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                             wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                             wheel->source(), wheel->pointingDevice());
            QCoreApplication::sendEvent(under, &copy);
        } else if (auto* mouse = dynamic_cast<QMouseEvent*>(event)) {
            QMouseEvent copy(mouse->type(), at, mouse->scenePosition(), mouse->globalPosition(),
                             mouse->button(), mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
            QCoreApplication::sendEvent(under, &copy);
            if (mouse->type() == QEvent::MouseButtonPress && !scrolling_) {
                scrolling_ = under;  // a drag of the bar's handle follows the mouse to its release
                under->grabMouse();
            }
        }
    }

    bool endScrolling(QEvent* event) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() != Qt::NoButton) return false;
        QPointer<QWidget> bar = scrolling_;
        scrolling_ = nullptr;
        bar->releaseMouse();
        QMouseEvent copy(mouse->type(), bar->mapFromGlobal(mouse->globalPosition()), mouse->scenePosition(),
                         mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers(),
                         mouse->pointingDevice());
        QCoreApplication::sendEvent(bar, &copy);
        return true;
    }

    QPointer<QWidget> scrolling_;
};
}  // namespace

bool dropsPersonInputTo(QWidget* w) { return !personInputIdle() && gameWindowOf(w); }

bool isReadOnlyText(QWidget* w) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w ? w->parentWidget() : nullptr);
        area && area->viewport() == w)
        w = area;
    if (auto* e = qobject_cast<QTextEdit*>(w)) return e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->isReadOnly();
    return false;
}

void installInputGate() {
    static QPointer<InputGate> gate;  // gone with the application object that owns it
    if (gate || !qApp) return;
    gate = new InputGate(qApp);
    qApp->installEventFilter(gate);
}

}  // namespace fw
