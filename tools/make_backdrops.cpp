// Writes the dice table's backdrop (picture 175, 579 x 381) and the about picture (picture 174,
// 400 x 300), each with a twice-size "@2x" twin.   Usage: make_backdrops [resources folder]
#include <QFont>
#include <QGuiApplication>

#include "tools/artwork.h"

namespace {

// The table: baize, the shelf (x < 200) a shade darker and plain, a soft shadow cast right of the
// divider, and a faint gold line marking the roll area.
QImage makeTable(int scale) {
    QImage image = artwork::felt(QSize(579, 381), scale, 0.5, 175);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.fillRect(QRectF(0, 0, 200, 381), QColor(0, 0, 0, 34));
    QLinearGradient shadow(201, 0, 215, 0);
    shadow.setColorAt(0, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(201, 0, 14, 381), shadow);
    p.setPen(QPen(QColor(226, 200, 126, 80), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(220.5, 18.5, 338, 344), 22, 22);
    p.setPen(QPen(QColor(226, 200, 126, 45), 1.0));
    p.drawRoundedRect(QRectF(226.5, 24.5, 326, 332), 17, 17);
    return image;
}

// A die of `side` units centred on `centre`, turned by `angle` degrees, casting a soft shadow.
void tumblingDie(QImage& image, int scale, int face, QPointF centre, double side, double angle) {
    QTransform place;
    place.scale(scale, scale);
    place.translate(centre.x(), centre.y());
    place.rotate(angle);
    place.scale(side / 64, side / 64);
    place.translate(-32, -32);

    QImage shade = artwork::canvas(image.size() / scale, scale);
    {
        QPainter p(&shade);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(place * QTransform::fromTranslate(4 * scale, 6 * scale));
        p.fillPath(artwork::dieOutline(), QColor(0, 0, 0, 150));
    }
    QPainter p(&image);
    p.drawImage(0, 0, artwork::blurred(shade, 3 * scale));
    p.setTransform(place);
    artwork::paintDie(p, face);
}

// The game's name, cream and gold with a dark outline and a soft shadow, centred on `centreX`.
void title(QImage& image, int scale, double centreX, double baseline) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(70);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Zorvik!"));
    text.setFillRule(Qt::WindingFill);  // touching letters ("r", "v") must not cut holes in each other
    text.translate(centreX - text.boundingRect().center().x(), baseline);

    QImage shade = artwork::canvas(image.size() / scale, scale);
    {
        QPainter p(&shade);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.fillPath(text.translated(2, 4), QColor(0, 0, 0, 190));
    }
    QPainter p(&image);
    p.drawImage(0, 0, artwork::blurred(shade, 3 * scale));
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QLinearGradient fill(0, baseline - 52, 0, baseline);
    fill.setColorAt(0, QColor(0xff, 0xf8, 0xe2));
    fill.setColorAt(0.5, QColor(0xf6, 0xe2, 0xa8));
    fill.setColorAt(1, QColor(0xd9, 0xae, 0x52));
    p.strokePath(text, QPen(QColor(0x3b, 0x28, 0x08), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(text, fill);
}

// The about picture: the name across the top, a light tag at (12, 109) for the version text in
// black, a gold rule, and dice tumbling across the lower half.
QImage makeAbout(int scale) {
    QImage image =
        artwork::felt(QSize(400, 300), scale, 0.75, 174).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    title(image, scale, 200, 84);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        QLinearGradient rule(126, 0, 392, 0);
        rule.setColorAt(0, QColor(226, 200, 126, 200));
        rule.setColorAt(1, QColor(226, 200, 126, 0));
        p.fillRect(QRectF(126, 118.5, 266, 1.5), rule);
        p.setPen(QPen(QColor(0x8a, 0x6a, 0x2a), 1.0));
        p.setBrush(QColor(0xf7, 0xf1, 0xe0));
        p.drawRoundedRect(QRectF(5.5, 104.5, 113, 30), 7, 7);
    }
    tumblingDie(image, scale, 5, QPointF(70, 210), 66, -14);
    tumblingDie(image, scale, 3, QPointF(160, 236), 62, 21);
    tumblingDie(image, scale, 6, QPointF(250, 196), 70, -28);
    tumblingDie(image, scale, 1, QPointF(336, 238), 60, 9);
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

namespace {
bool makeBackdrops(const QString& folder, int scale, const QString& suffix) {
    const QString name = QStringLiteral("%1/%2%3.jpg");
    bool ok = artwork::save(makeTable(scale), name.arg(folder, QStringLiteral("175"), suffix), "JPEG", 90);
    ok &= artwork::save(makeAbout(scale), name.arg(folder, QStringLiteral("174"), suffix), "JPEG", 92);
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    // JPEG: as PNG the grain of the cloth cost about 1.5 MB for the four files, as JPEG 0.25 MB.
    return artwork::runPictures(argc, argv, QStringLiteral("picture"), makeBackdrops);
}
