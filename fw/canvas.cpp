#include "fw/canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace fw {

Canvas::Canvas(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void Canvas::paintEvent(QPaintEvent*) {
    if (!paint) return;
    QPainter g(this);
    paint(g);
}

void Canvas::mousePressEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    claimed_ = mouseDown && mouseDown(at.x(), at.y());
}

void Canvas::mouseMoveEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (claimed_ && (e->buttons() & Qt::LeftButton) && mouseDrag) mouseDrag(at.x(), at.y());
}

void Canvas::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (std::exchange(claimed_, false) && mouseUp) mouseUp(at.x(), at.y());
}

void Canvas::enterEvent(QEnterEvent*) {
    if (mouseEnter) mouseEnter();
}

void Canvas::leaveEvent(QEvent*) {
    if (mouseExit) mouseExit();
}

}  // namespace fw
