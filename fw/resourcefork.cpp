#include "fw/resourcefork.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QUrl>

namespace fw::ResourceFork {
namespace {
QHash<QString, int>& counts() {
    static QHash<QString, int> c;
    return c;
}
qreal& ratioForTests() {
    static qreal ratio = 0;
    return ratio;
}
// Device pixels per logical pixel of the densest screen: above 1, the twice-size twins are used.
qreal screenRatio() {
    if (ratioForTests() > 0) return ratioForTests();
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}
QString& rootFolder() {
    static QString folder = QStringLiteral(":");
    return folder;
}
QString path(const QString& kind, int number, const QString& ext) {
    return QStringLiteral("%1/%2/%3.%4").arg(rootFolder(), kind, QString::number(number), ext);
}
// Pictures are PNG, or JPEG where a grainy backdrop would make a PNG large. `twin` is "" or "@2x".
QString pictureFile(int number, const QString& twin) {
    for (const char* ext : {"png", "jpg"}) {
        const QString file = QStringLiteral("%1/picture/%2%3.%4")
                                 .arg(rootFolder(), QString::number(number), twin, QLatin1String(ext));
        if (QFile::exists(file)) return file;
    }
    return {};
}
}  // namespace

std::shared_ptr<QPixmap> GetPicture(int number) {
    counts()[QStringLiteral("picture")] += 1;
    // QPixmap(file) passes over "@2x" files: load the dense one ourselves where the screen wants it.
    const QString dense = screenRatio() > 1.0 ? pictureFile(number, QStringLiteral("@2x")) : QString();
    if (!dense.isEmpty()) {
        auto p = std::make_shared<QPixmap>(dense);
        if (!p->isNull()) {
            p->setDevicePixelRatio(2.0);
            return p;
        }
    }
    const QString plain = pictureFile(number, QString());
    if (plain.isEmpty()) return nullptr;
    auto p = std::make_shared<QPixmap>(plain);
    return p->isNull() ? nullptr : p;
}

std::shared_ptr<Sound> GetSound(int number, const QString& name) {
    counts()[QStringLiteral("sound")] += 1;
    const QString file = path(QStringLiteral("sound"), number, QStringLiteral("wav"));
    if (!QFile::exists(file)) return nullptr;
    const QUrl url =
        file.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + file) : QUrl::fromLocalFile(file);
    return std::make_shared<Sound>(name, url);
}

QByteArray GetResource(const QString& type, int number) {
    counts()[type] += 1;
    QFile f(path(type.toLower(), number, QStringLiteral("html")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

std::shared_ptr<QCursor> getCursor(int number) {
    counts()[QStringLiteral("cursor")] += 1;
    // The twin is drawn at twice the size; the hot spot stays in the plain one's pixels.
    QPixmap pixmap;
    const QString dense = QStringLiteral("%1/cursor/%2@2x.png").arg(rootFolder(), QString::number(number));
    if (screenRatio() > 1.0 && pixmap.load(dense))
        pixmap.setDevicePixelRatio(2.0);
    else
        pixmap.load(path(QStringLiteral("cursor"), number, QStringLiteral("png")));
    if (pixmap.isNull()) return nullptr;
    const QSize size = pixmap.deviceIndependentSize().toSize();
    // Without a readable hot spot, -1 -1 puts it in the centre.
    int hx = -1, hy = -1;
    QFile spot(path(QStringLiteral("cursor"), number, QStringLiteral("hotspot")));
    if (spot.open(QIODevice::ReadOnly)) {
        const auto parts = QString::fromLatin1(spot.readAll()).simplified().split(QLatin1Char(' '));
        bool okX = false, okY = false;
        const int x = parts.size() == 2 ? parts[0].toInt(&okX) : 0;
        const int y = parts.size() == 2 ? parts[1].toInt(&okY) : 0;
        if (okX && okY && x >= 0 && y >= 0 && x < size.width() && y < size.height()) hx = x, hy = y;
    }
    return std::make_shared<QCursor>(pixmap, hx, hy);
}

int requests(const QString& kind) { return counts().value(kind); }

void setScreenRatioForTests(qreal ratio) { ratioForTests() = ratio; }

void setRoot(const QString& folder) { rootFolder() = folder.isEmpty() ? QStringLiteral(":") : folder; }
QString root() { return rootFolder(); }

}  // namespace fw::ResourceFork
