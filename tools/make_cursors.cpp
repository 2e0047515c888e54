// Writes the two cursors, 32 x 32 and twice that as "<n>@2x.png", with their hot spots in
// "<n>.hotspot" ("x y", in the smaller one's pixels): cursor 168, a pointing hand (hot spot at the
// fingertip), and cursor 169, a left-right arrow across a split column (hot spot in the centre).
// Usage: make_cursors [resources folder]
#include <QFile>
#include <QGuiApplication>

#include "tools/artwork.h"

namespace {

QPainterPath rounded(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A right hand seen from the back, index finger up, thumb out to the left: white with a black
// outline so that it shows on light and dark alike.
QImage fingerCursor(int scale) {
    QPainterPath hand = rounded(QRectF(10.5, 1.0, 5.2, 18), 2.6);
    hand = hand.united(rounded(QRectF(15.2, 9.6, 4.8, 10), 2.4));
    hand = hand.united(rounded(QRectF(19.5, 10.8, 4.6, 9), 2.3));
    hand = hand.united(rounded(QRectF(23.6, 12.6, 4.2, 8), 2.1));
    hand = hand.united(rounded(QRectF(9.0, 14.5, 18.8, 11), 4.5));
    QPainterPath wrist;
    wrist.addPolygon(QPolygonF({{10.2, 22}, {27.6, 21}, {25.4, 30.5}, {12.6, 30.5}}));
    wrist.closeSubpath();
    hand = hand.united(wrist);
    QPainterPath thumb = rounded(QRectF(-2.6, -2.4, 12, 4.8), 2.4);
    thumb = QTransform().translate(7.6, 19.6).rotate(38).map(thumb);
    hand = hand.united(thumb).simplified();

    QImage image = artwork::canvas(QSize(32, 32), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.fillPath(hand, Qt::white);
    p.strokePath(hand, QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Creases between the folded fingers.
    p.setPen(QPen(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap));
    for (double x : {15.6, 19.8, 23.8}) p.drawLine(QPointF(x, 14.2), QPointF(x, 17.2));
    return image;
}

// Two arrows pointing apart from a double bar: black with a white rim.
QImage moveColumnCursor(int scale) {
    QPainterPath shape;
    shape.addPolygon(QPolygonF({{2, 16}, {9, 9}, {9, 14}, {13, 14}, {13, 18}, {9, 18}, {9, 23}}));
    shape.closeSubpath();
    shape.addPolygon(QPolygonF({{30, 16}, {23, 9}, {23, 14}, {19, 14}, {19, 18}, {23, 18}, {23, 23}}));
    shape.closeSubpath();
    shape.addRect(QRectF(13, 5, 2, 22));
    shape.addRect(QRectF(17, 5, 2, 22));
    shape.setFillRule(Qt::WindingFill);

    QImage image = artwork::canvas(QSize(32, 32), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.strokePath(shape, QPen(Qt::white, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.fillPath(shape, Qt::black);
    return image;
}

bool writeCursor(const QString& folder, int number, QImage (*draw)(int scale), QPoint hotSpot) {
    QFile spot(QStringLiteral("%1/%2.hotspot").arg(folder).arg(number));
    bool ok = spot.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              spot.write(QStringLiteral("%1 %2\n").arg(hotSpot.x()).arg(hotSpot.y()).toLatin1()) > 0;
    ok &= artwork::save(draw(1), QStringLiteral("%1/%2.png").arg(folder).arg(number));
    return artwork::save(draw(2), QStringLiteral("%1/%2@2x.png").arg(folder).arg(number)) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = artwork::ensureFolder(artwork::outputFolder(argc, argv), QStringLiteral("cursor"));
    bool ok = writeCursor(folder, 168, fingerCursor, QPoint(13, 1));
    ok &= writeCursor(folder, 169, moveColumnCursor, QPoint(16, 16));
    return ok ? 0 : 1;
}
