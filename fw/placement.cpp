#include "fw/placement.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
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
        if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::ShortcutOverride) &&
            watched->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(watched)->window();
            if (qobject_cast<Window*>(window)) lastActedIn() = window;
        }
        return false;
    }
};

// Keeps a placed window on its fitted spot until the window manager's frame is known: fitted
// again when the frame's margins change, never when the person resizes or moves the window.
class FrameKeeper : public QObject {
public:
    FrameKeeper(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QStringLiteral("fw-frame-keeper"));
        window->installEventFilter(this);
    }
    void place(const QPoint& wanted) {
        wanted_ = wanted;
        margins_ = frameMargins();
        const QRect frame(wanted, window_->frameGeometry().size());
        placed_ = fitOnScreen(frame, availableArea(frame.center()));
        window_->move(placed_);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        const auto type = event->type();
        if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) && window_->pos() == placed_ &&
            frameMargins() != margins_)
            place(wanted_);
        return false;
    }

private:
    QSize frameMargins() const { return window_->frameGeometry().size() - window_->size(); }
    QWidget* window_;
    QPoint wanted_, placed_;
    QSize margins_;
};
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

QRect availableArea(const QPoint& point) {
    if (!areaForTests().isNull()) return areaForTests();
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void setAvailableAreaForTests(const QRect& area) { areaForTests() = area; }

void placeFrame(QWidget* window, const QPoint& wanted) {
    auto* keeper = static_cast<FrameKeeper*>(
        window->findChild<QObject*>(QStringLiteral("fw-frame-keeper"), Qt::FindDirectChildrenOnly));
    if (!keeper) keeper = new FrameKeeper(window);
    keeper->place(wanted);
}

QWidget* actingWindow(const QWidget* besides) {
    for (QWidget* w : {lastActedIn().data(), QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        auto* window = qobject_cast<Window*>(w);
        if (window && window != besides && window->isVisible() && !window->isClosed()) return window;
    }
    return nullptr;
}

void watchPersonInput() {
    static QPointer<InputWatcher> watcher;
    if (watcher || !QCoreApplication::instance()) return;
    watcher = new InputWatcher(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watcher);
}

}  // namespace fw
