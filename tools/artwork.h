#pragma once
// Shared helpers of the artwork generators (make_dice, make_backdrops, make_cursors, make_sounds).
// Everything is deterministic: noise comes from a hash of the position, never from a clock.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace artwork {

// The folder named on the command line, else the source tree's resources/.
inline QString outputFolder(int argc, char** argv) {
    if (argc > 1) return QString::fromLocal8Bit(argv[1]);
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../resources"));
}

inline QString ensureFolder(const QString& root, const QString& kind) {
    QDir().mkpath(root + QLatin1Char('/') + kind);
    return QDir::cleanPath(root + QLatin1Char('/') + kind);
}

// Runs a picture generator offscreen: `make(folder, scale, suffix)` is called for scale 1 (suffix "")
// and scale 2 ("@2x") with the output folder of `kind`; the exit code says whether it all went well.
template <class Make>
int runPictures(int argc, char** argv, const QString& kind, Make make) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = ensureFolder(outputFolder(argc, argv), kind);
    bool ok = true;
    for (int scale : {1, 2}) ok &= make(folder, scale, scale == 1 ? QString() : QStringLiteral("@2x"));
    return ok ? 0 : 1;
}

inline bool save(const QImage& image, const QString& file, const char* format = "PNG", int quality = -1) {
    const bool ok = image.save(file, format, quality);
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << file << " (" << image.width() << " x "
                        << image.height() << ", " << QFileInfo(file).size() << " bytes)\n";
    return ok;
}

// A transparent image of `size` logical pixels at `scale` device pixels each.
inline QImage canvas(QSize size, int scale) {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// 0..1, a fixed function of (x, y, seed).
inline double hash01(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0x1000000);
}

// Smooth value noise, 0..1, with features about `cell` units apart.
inline double valueNoise(double x, double y, double cell, uint32_t seed) {
    const double gx = x / cell, gy = y / cell;
    const int ix = int(std::floor(gx)), iy = int(std::floor(gy));
    const double fx = gx - ix, fy = gy - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    const double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

inline QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// Green baize of `size` logical pixels at `scale`: a fine grain, a slow mottle and a vignette
// that darkens the edges by up to `vignette` (0..1).
inline QImage felt(QSize size, int scale, double vignette, uint32_t seed) {
    QImage image(size * scale, QImage::Format_RGB32);
    const QColor centre(0x27, 0x74, 0x4a), edge(0x10, 0x3a, 0x24);
    const double cx = size.width() / 2.0, cy = size.height() / 2.0;
    for (int py = 0; py < image.height(); ++py) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = 0; px < image.width(); ++px) {
            const double x = (px + 0.5) / scale, y = (py + 0.5) / scale;
            const double dx = (x - cx) / cx, dy = (y - cy) / cy;
            const double r = std::min(1.0, std::sqrt(dx * dx * 0.8 + dy * dy * 0.8));
            const double fall = vignette * std::pow(r, 2.4);
            const double grain = 0.6 * hash01(px, py, seed) + 0.4 * valueNoise(x, y, 1.7, seed + 1);
            const double mottle = 0.6 * valueNoise(x, y, 55, seed + 2) + 0.4 * valueNoise(x, y, 17, seed + 3);
            const double shade = 1 + 0.09 * (grain - 0.5) + 0.08 * (mottle - 0.5);
            const QColor base = mix(centre, edge, fall);
            line[px] = qRgb(std::clamp(int(base.red() * shade + 0.5), 0, 255),
                            std::clamp(int(base.green() * shade + 0.5), 0, 255),
                            std::clamp(int(base.blue() * shade + 0.5), 0, 255));
        }
    }
    // Loose fibres lying every way, a shade lighter or darker than the cloth.
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const int fibres = size.width() * size.height() / 14;
    for (int i = 0; i < fibres; ++i) {
        const double x = hash01(i, 1, seed) * size.width(), y = hash01(i, 2, seed) * size.height();
        const double angle = hash01(i, 3, seed) * 6.2832, length = 1.2 + 2.8 * hash01(i, 4, seed);
        const bool light = hash01(i, 5, seed) < 0.5;
        p.setPen(QPen(light ? QColor(190, 255, 210, 12) : QColor(0, 20, 8, 20), 0.6));
        p.drawLine(QPointF(x, y), QPointF(x + length * std::cos(angle), y + length * std::sin(angle)));
    }
    return image;
}

// A soft copy of `image` (three box blurs of `radius` pixels each way), for shadows.
inline QImage blurred(const QImage& image, int radius) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = out.width(), h = out.height();
    for (int pass = 0; pass < 6; ++pass) {
        const bool across = pass % 2 == 0;
        const int lines = across ? h : w, len = across ? w : h;
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int i) -> QRgb& {
                return reinterpret_cast<QRgb*>(out.scanLine(across ? l : i))[across ? i : l];
            };
            std::vector<QRgb> src(static_cast<size_t>(len));
            for (int i = 0; i < len; ++i) src[size_t(i)] = at(i);
            for (int i = 0; i < len; ++i) {
                int a = 0, r = 0, g = 0, b = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const QRgb c = src[size_t(std::clamp(i + k, 0, len - 1))];
                    a += qAlpha(c), r += qRed(c), g += qGreen(c), b += qBlue(c);
                }
                const int n = 2 * radius + 1;
                at(i) = qRgba(r / n, g / n, b / n, a / n);
            }
        }
    }
    return out;
}

// The outline of a 64-unit die with its top-left corner at the origin, or a line `inset` units
// inside it (strokes along an inset line stay within the outline).
inline QPainterPath dieOutline(double inset = 0) {
    QPainterPath path;
    const double edge = 0.5 + inset, radius = 12 - inset;
    path.addRoundedRect(QRectF(edge, edge, 64 - 2 * edge, 64 - 2 * edge), radius, radius);
    return path;
}

// Centres of the pips of `face` on a die of 64 units, in the classic layout.
inline QList<QPointF> pipCentres(int face) {
    const double lo = 17.5, mid = 32, hi = 46.5;
    switch (face) {
        case 1:
            return {{mid, mid}};
        case 2:
            return {{hi, lo}, {lo, hi}};
        case 3:
            return {{hi, lo}, {mid, mid}, {lo, hi}};
        case 4:
            return {{lo, lo}, {hi, lo}, {lo, hi}, {hi, hi}};
        case 5:
            return {{lo, lo}, {hi, lo}, {mid, mid}, {lo, hi}, {hi, hi}};
        default:
            return {{lo, lo}, {hi, lo}, {lo, mid}, {hi, mid}, {lo, hi}, {hi, hi}};
    }
}

// An ivory die showing `face`, drawn in a 64-unit square at the painter's origin. Light comes
// from the top left: the body darkens towards the bottom right, the pips are shallow hollows.
inline void paintDie(QPainter& p, int face) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = dieOutline();

    QLinearGradient body(0, 0, 64, 64);
    body.setColorAt(0.0, QColor(0xfb, 0xf8, 0xee));
    body.setColorAt(0.55, QColor(0xec, 0xe5, 0xd2));
    body.setColorAt(1.0, QColor(0xc9, 0xbf, 0xa5));
    p.fillPath(outline, body);

    // The flat top face, lighter than the rounded edges around it, fading into them.
    for (int i = 0; i < 6; ++i) {
        QPainterPath top;
        const double inset = 3.2 + i * 0.45;
        top.addRoundedRect(QRectF(inset, inset, 64 - 2 * inset - 0.8, 64 - 2 * inset - 0.8), 10 - i * 0.4,
                           10 - i * 0.4);
        QRadialGradient light(QPointF(22, 19), 58);
        light.setColorAt(0.0, QColor(255, 255, 252, 60));
        light.setColorAt(0.7, QColor(0xf4, 0xef, 0xe1, 60));
        light.setColorAt(1.0, QColor(0xe6, 0xde, 0xc8, 60));
        p.fillPath(top, light);
    }

    // A bright rim along the upper left edge, a darker one along the lower right.
    QLinearGradient rim(0, 0, 64, 64);
    rim.setColorAt(0.0, QColor(255, 255, 255, 200));
    rim.setColorAt(0.45, QColor(255, 255, 255, 0));
    rim.setColorAt(0.6, QColor(90, 75, 50, 0));
    rim.setColorAt(1.0, QColor(90, 75, 50, 120));
    p.strokePath(dieOutline(1.1), QPen(QBrush(rim), 2.2));
    p.strokePath(dieOutline(0.5), QPen(QColor(74, 64, 46, 210), 1.0));

    const double radius = face == 1 ? 7.2 : 5.6;
    for (const QPointF& c : pipCentres(face)) {
        QRadialGradient hollow(c + QPointF(0.9, 1.2), radius * 1.25, c + QPointF(1.4, 1.9));
        hollow.setColorAt(0.0, QColor(0x4a, 0x48, 0x52));
        hollow.setColorAt(0.55, QColor(0x25, 0x24, 0x2c));
        hollow.setColorAt(1.0, QColor(0x0e, 0x0e, 0x12));
        p.setPen(Qt::NoPen);
        p.setBrush(hollow);
        p.drawEllipse(c, radius, radius);
        // Light catching the lower right lip of the hollow.
        QPen lip(QColor(255, 255, 255, 150), 0.9);
        lip.setCapStyle(Qt::RoundCap);
        p.setPen(lip);
        p.setBrush(Qt::NoBrush);
        const QRectF box(c.x() - radius - 0.2, c.y() - radius - 0.2, 2 * radius + 0.4, 2 * radius + 0.4);
        p.drawArc(box, -20 * 16, -90 * 16);
    }
    p.restore();
}

}  // namespace artwork
