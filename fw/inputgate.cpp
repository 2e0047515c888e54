#include "fw/inputgate.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>

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

// The game window a widget belongs to; a popup's list belongs to the window of its popup.
Window* gameWindowOf(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) return nullptr;
        if (auto* window = qobject_cast<Window*>(w)) return window->dropsInputWhileBusy() ? window : nullptr;
    }
    return nullptr;
}

bool drops(QObject* receiver, QEvent* event) {
    if (personInputIdle() || !receiver->isWidgetType() || !isPersonInput(event)) return false;
    auto* w = static_cast<QWidget*>(receiver);
    return !onlyScrolls(w, event) && gameWindowOf(w);
}

class InputGate : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!drops(receiver, event)) return false;
        // A release that is dropped must not leave a button drawn pressed.
        if (auto* b = qobject_cast<QAbstractButton*>(receiver); b && b->isDown()) b->setDown(false);
        return true;
    }
};
}  // namespace

void installInputGate() {
    static QPointer<InputGate> gate;  // gone with the application object that owns it
    if (gate || !qApp) return;
    gate = new InputGate(qApp);
    qApp->installEventFilter(gate);
}

}  // namespace fw
