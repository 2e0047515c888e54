// Where a window stands on the desktop and where its controls stand in it.
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <vector>

#include "fw/placement.h"
#include "fw/window.h"

namespace fw {
namespace {
struct Lock {
    QPointer<QWidget> control;
    QMargins margins;  // to the parent's edges, as placed at design time
    bool left, top, right, bottom;
};

// One per window: watches the parents of locked controls and moves the controls on each resize.
class LockKeeper : public QObject {
  public:
    explicit LockKeeper(Window* window) : QObject(window), window_(window) {
        setObjectName(QStringLiteral("fw-lock-keeper"));
    }

    std::vector<Lock> locks;
    QHash<const QObject*, QSize> laidOut;  // each watched parent's size at its last resize

    // The parent size that a control's margins are measured against.
    QSize reference(const QWidget* parent, QSize design) const {
        return laidOut.contains(parent) ? laidOut.value(parent) : design;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched->isWidgetType())
            follow(static_cast<QWidget*>(watched));
        return false;
    }

  private:
    void follow(QWidget* parent) {
        const QSize size = parent->size();
        laidOut.insert(parent, size);
        for (const Lock& l : locks) {
            if (!l.control || l.control->parentWidget() != parent) continue;
            QRect r = l.control->geometry();
            if (l.left && l.right) {
                r.setRect(l.margins.left(), r.y(),
                          std::max(size.width() - l.margins.left() - l.margins.right(), 0), r.height());
            } else if (l.right) {
                r.moveLeft(size.width() - l.margins.right() - r.width());
            }
            if (l.top && l.bottom) {
                r.setRect(r.x(), l.margins.top(), r.width(),
                          std::max(size.height() - l.margins.top() - l.margins.bottom(), 0));
            } else if (l.bottom) {
                r.moveTop(size.height() - l.margins.bottom() - r.height());
            }
            if (r != l.control->geometry()) l.control->setGeometry(r);
        }
        window_->lockedControlsFollowed(parent);
    }
    Window* window_;
};
}  // namespace

void Window::lock(QWidget* control, bool left, bool top, bool right, bool bottom) {
    QWidget* parent = control->parentWidget();
    if (!parent) return;
    // The content area's own size is only known once it is laid out; its design size counts.
    QSize design = parent == content_ && designSize_.isValid() ? designSize_ : parent->size();
    auto* keeper = static_cast<LockKeeper*>(
        findChild<QObject*>(QStringLiteral("fw-lock-keeper"), Qt::FindDirectChildrenOnly));
    if (!keeper) keeper = new LockKeeper(this);
    design = keeper->reference(parent, design);
    const QRect r = control->geometry();
    const QMargins margins(r.x(), r.y(), design.width() - r.x() - r.width(),
                           design.height() - r.y() - r.height());
    std::erase_if(keeper->locks, [control](const Lock& l) { return l.control == control; });
    keeper->locks.push_back({control, margins, left, top, right, bottom});
    parent->installEventFilter(keeper);
}

void Window::relock(QWidget* control) {
    auto* keeper = static_cast<LockKeeper*>(
        findChild<QObject*>(QStringLiteral("fw-lock-keeper"), Qt::FindDirectChildrenOnly));
    if (!keeper) return;
    for (const Lock& l : keeper->locks)
        if (l.control == control) return lock(control, l.left, l.top, l.right, l.bottom);
}

void Window::placeAt(const QPoint& topLeft) {
    placedByCaller_ = true;
    hiddenAt_ = QRect();  // a spot given in code outranks the one it was hidden at
    placeFrame(this, topLeft);
}

void Window::centreOver(const QWidget* other) {
    placedByCaller_ = true;
    hiddenAt_ = QRect();
    centreFrame(this, other ? other->frameGeometry() : availableArea(QPoint()));
}

}  // namespace fw
