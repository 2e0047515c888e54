#include "fw/placement.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "fw/window.h"

namespace fw {
namespace {
QRect& areaForTests() {
    static QRect area;
    return area;
}

QPointer<QWidget>& lastActedIn() {
    static QPointer<QWidget> w;
    return w;
}

// Notes the game window of every press; it never consumes an event.
class InputWatcher : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress ||
             type == QEvent::ShortcutOverride) &&
            watched->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(watched)->window();
            if (qobject_cast<Window*>(window)) lastActedIn() = window;
        }
        return false;
    }
};

// Keeps a placed window on its fitted spot until the window manager's frame is known and the
// window stands on the screen at its laid-out size: placed again (centred again, if centred) when
// the frame's size changes before the window's first paint (its layout, the frame arriving) or its
// margins change later, never when the person resizes or moves the window.
class FrameKeeper : public QObject {
  public:
    FrameKeeper(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QStringLiteral("fw-frame-keeper"));
        window->installEventFilter(this);
    }
    void place(const QPoint& corner, const QRect& over) {
        corner_ = corner;
        over_ = over;
        margins_ = frameMargins();
        frame_ = window_->frameGeometry().size();
        settled_ = false;
        const QPoint middle = over.isValid() ? over.center() : QRect(corner, frame_).center();
        placed_ = frameSpot(frame_, corner, over, availableArea(middle));
        window_->move(placed_);
        client_ = window_->geometry().topLeft();
    }
    bool eventFilter(QObject*, QEvent* event) override {
        const auto type = event->type();
        const bool painted = type == QEvent::Paint && window_->isVisible();
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize && !painted) return false;
        // The frame's margins may come without an event of their own: the first paint looks again.
        const bool grown = !settled_ && window_->frameGeometry().size() != frame_;
        // Where it was put: a frame arriving around it moves either the frame or the window inside.
        const bool unmoved = window_->pos() == placed_ || window_->geometry().topLeft() == client_;
        if (unmoved && (frameMargins() != margins_ || grown)) place(corner_, over_);
        if (painted) settled_ = true;
        return false;
    }

  private:
    QSize frameMargins() const { return window_->frameGeometry().size() - window_->size(); }
    QWidget* window_;
    QPoint corner_, placed_, client_;
    QRect over_;  // null unless centred
    QSize margins_;
    QSize frame_;          // the frame's size when placed
    bool settled_ = true;  // painted on the screen since it was placed
};

FrameKeeper* keeperOf(QWidget* window) {
    auto* keeper = static_cast<FrameKeeper*>(
        window->findChild<QObject*>(QStringLiteral("fw-frame-keeper"), Qt::FindDirectChildrenOnly));
    return keeper ? keeper : new FrameKeeper(window);
}
}  // namespace

QPoint fitOnScreen(const QRect& frame, const QRect& available) {
    QPoint p = frame.topLeft();
    p.setX(std::min(p.x(), available.x() + available.width() - frame.width()));
    p.setY(std::min(p.y(), available.y() + available.height() - frame.height()));
    p.setX(std::max(p.x(), available.x()));
    p.setY(std::max(p.y(), available.y()));
    return p;
}

QPoint centredOver(const QSize& size, const QRect& over) {
    return {over.x() + (over.width() - size.width()) / 2, over.y() + (over.height() - size.height()) / 2};
}

QPoint frameSpot(const QSize& frameSize, const QPoint& corner, const QRect& over, const QRect& available) {
    const QPoint spot = over.isValid() ? centredOver(frameSize, over) : corner;
    return fitOnScreen(QRect(spot, frameSize), available);
}

QRect availableArea(const QPoint& point) {
    if (!areaForTests().isNull()) return areaForTests();
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void setAvailableAreaForTests(const QRect& area) { areaForTests() = area; }

void placeFrame(QWidget* window, const QPoint& wanted) { keeperOf(window)->place(wanted, QRect()); }

void centreFrame(QWidget* window, const QRect& over) { keeperOf(window)->place(QPoint(), over); }

namespace {
// Qt lets a person reach only the innermost modal window and its transient children: a press
// made before it came up (the menu command that opened it) does not make its window the acting one.
bool blockedByModal(const QWidget* window) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == window) return false;
    for (const QWindow* up = window->windowHandle(); up; up = up->transientParent())
        if (up == modal->windowHandle()) return false;
    return true;
}
}  // namespace

QWidget* actingWindow(const QWidget* besides) {
    for (QWidget* w :
         {lastActedIn().data(), QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        auto* window = qobject_cast<Window*>(w);
        if (window && window != besides && window->isVisible() && !window->isClosed() &&
            !blockedByModal(window))
            return window;
    }
    return nullptr;
}

QWidget* dialogOwner(QWidget* over) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    auto* window = qobject_cast<Window*>(over);
    return window && !window->dropsInputWhileBusy() ? nullptr : over;
}

void watchPersonInput() {
    static QPointer<InputWatcher> watcher;
    if (watcher || !QCoreApplication::instance()) return;
    watcher = new InputWatcher(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watcher);
}

}  // namespace fw
