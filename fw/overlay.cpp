#include "fw/overlay.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace fw {

Overlay::Overlay(QWidget* area) : QWidget(area) {
    setObjectName(QStringLiteral("zorvikOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    area->installEventFilter(this);
    fit();
    show();
}

Overlay* Overlay::of(QWidget* area) {
    if (auto* o = area->findChild<Overlay*>(QString(), Qt::FindDirectChildrenOnly)) return o;
    return new Overlay(area);
}

void Overlay::fit() {
    setGeometry(parentWidget()->rect());
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (drawn_.size() == pixels && drawn_.devicePixelRatio() == ratio) return;
    QImage next(pixels, QImage::Format_ARGB32_Premultiplied);
    next.setDevicePixelRatio(ratio);
    next.fill(Qt::transparent);
    if (!drawn_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, drawn_);
    }
    drawn_ = next;
}

void Overlay::DrawLine(int x1, int y1, int x2, int y2) {
    fit();
    raise();  // controls made after the overlay would otherwise cover it
    const int w = qMax(PenWidth, 1);
    QPainter p(&drawn_);
    p.setPen(QPen(ForeColor, w, Qt::SolidLine, Qt::SquareCap));
    const QPointF hang(w / 2.0, w / 2.0);
    p.drawLine(QPointF(x1, y1) + hang, QPointF(x2, y2) + hang);
    update(QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2) + w, qMax(y1, y2) + w))
               .adjusted(-1, -1, 1, 1));
}

void Overlay::RefreshRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    QPainter p(&drawn_);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(QRect(x, y, width, height), Qt::transparent);
    update(x, y, width, height);
}

void Overlay::Refresh() {
    drawn_.fill(Qt::transparent);
    update();
}

void Overlay::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), drawn_,
                QRectF(QPointF(e->rect().topLeft()) * drawn_.devicePixelRatio(),
                       QSizeF(e->rect().size()) * drawn_.devicePixelRatio()));
}

bool Overlay::eventFilter(QObject* watched, QEvent* e) {
    if (watched == parentWidget() && e->type() == QEvent::Resize) fit();
    return QWidget::eventFilter(watched, e);
}

}  // namespace fw
