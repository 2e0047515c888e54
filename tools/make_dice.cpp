// Writes the six die faces (picture 168..173) and the shared die mask (picture 176), each at
// 64 x 64 and as a 128 x 128 "@2x" twin.   Usage: make_dice [resources folder]
#include <QGuiApplication>

#include "tools/artwork.h"

namespace {

QImage makeFace(int face, int scale) {
    QImage image = artwork::canvas(QSize(64, 64), scale);
    QPainter p(&image);
    p.scale(scale, scale);
    artwork::paintDie(p, face);
    return image;
}

// Black (opaque) wherever any face covers any part of a pixel, white elsewhere, so that the
// faces' own soft edges survive the mask.
QImage makeMask(int scale) {
    QImage mask(QSize(64, 64) * scale, QImage::Format_Mono);
    mask.setColor(0, qRgb(255, 255, 255));
    mask.setColor(1, qRgb(0, 0, 0));
    mask.fill(0);
    for (int face = 1; face <= 6; ++face) {
        const QImage image = makeFace(face, scale);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0) mask.setPixel(x, y, 1);
    }
    return mask;
}

}  // namespace

namespace {
bool makeDice(const QString& folder, int scale, const QString& suffix) {
    bool ok = true;
    for (int face = 1; face <= 6; ++face)
        ok &= artwork::save(makeFace(face, scale),
                            QStringLiteral("%1/%2%3.png").arg(folder).arg(167 + face).arg(suffix));
    ok &= artwork::save(makeMask(scale), QStringLiteral("%1/176%2.png").arg(folder, suffix));
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    return artwork::runPictures(argc, argv, QStringLiteral("picture"), makeDice);
}
