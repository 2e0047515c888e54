// Writes the game's window icon: two dice on a square of green baize, 64 x 64 (icon/zorvik.png)
// and a 128 x 128 "@2x" twin.   Usage: make_icon [resources folder]
#include <QGuiApplication>

#include "tools/artwork.h"

namespace {

QImage makeIcon(int scale) {
    constexpr int kSide = 64;
    QImage image = artwork::canvas(QSize(kSide, kSide), scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // The cloth, clipped to a rounded square so that the icon reads as a tile on any panel.
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, kSide - 2, kSide - 2), 11, 11);
    QTransform toDevice = QTransform::fromScale(scale, scale);
    p.setClipPath(toDevice.map(tile));
    p.drawImage(0, 0, artwork::felt(QSize(kSide, kSide), scale, 0.7, 41));
    p.setClipping(false);
    p.setPen(QPen(QColor(8, 36, 20), 1.0 * scale));
    p.drawPath(toDevice.map(tile));

    // Two dice, a 5 behind and a 1 in front, each drawn at 64 units and scaled down (0.5 = 32 px).
    const struct {
        double x, y, angle;
        int face;
    } dice[] = {{27, 5, 12, 5}, {6, 26, -9, 1}};
    for (const auto& d : dice) {
        p.save();
        p.scale(scale, scale);
        p.translate(d.x + 16, d.y + 16);
        p.rotate(d.angle);
        p.scale(0.5, 0.5);
        p.translate(-32, -32);
        // A soft shadow below and to the right of the die.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(artwork::dieOutline().translated(3, 4));
        artwork::paintDie(p, d.face);
        p.restore();
    }
    return image;
}

bool writeIcon(const QString& folder, int scale, const QString& suffix) {
    return artwork::save(makeIcon(scale), QStringLiteral("%1/zorvik%2.png").arg(folder, suffix));
}

}  // namespace

int main(int argc, char** argv) {
    return artwork::runPictures(argc, argv, QStringLiteral("icon"), writeIcon);
}
