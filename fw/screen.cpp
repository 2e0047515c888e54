#include "fw/screen.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace fw::System {
namespace {
std::optional<QPoint>& placedMouse() {
    static std::optional<QPoint> at;
    return at;
}

QPoint mouse() { return placedMouse() ? *placedMouse() : QCursor::pos(); }

// Our shown window whose inside holds the point: the one the platform finds there first (it
// knows their stacking), else any of ours that covers it.
QWidget* windowAt(QPoint global) {
    auto holds = [global](QWidget* w) {
        return w && w->isWindow() && w->isVisible() && !w->isMinimized() &&
               QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(global);
    };
    if (QWidget* top = QApplication::topLevelAt(global); holds(top)) return top;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (holds(w)) return w;
    return nullptr;
}
}  // namespace

int MouseX() { return mouse().x(); }
int MouseY() { return mouse().y(); }

QColor Pixel(int x, int y) {
    const QPoint global(x, y);
    QWidget* w = windowAt(global);
    if (!w) return QColor();
    const QImage one = w->grab(QRect(w->mapFromGlobal(global), QSize(1, 1))).toImage();
    return one.isNull() ? QColor() : one.pixelColor(0, 0);
}

void setMousePosition(std::optional<QPoint> at) { placedMouse() = at; }

}  // namespace fw::System

namespace fw {
QColor LightBevelColor() { return QApplication::palette().color(QPalette::Light); }
QColor DarkBevelColor() { return QApplication::palette().color(QPalette::Dark); }
}  // namespace fw
