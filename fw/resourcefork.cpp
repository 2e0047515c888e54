#include "fw/resourcefork.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QUrl>

static void initStore() {
    static const bool once = [] {
        Q_INIT_RESOURCE(zorvik);
        return true;
    }();
    Q_UNUSED(once);
}

namespace fw::ResourceFork {
namespace {
QHash<QString, int>& counts() {
    static QHash<QString, int> c;
    return c;
}
QString path(const QString& kind, int number, const QString& ext) {
    return QStringLiteral(":/%1/%2.%3").arg(kind).arg(number).arg(ext);
}
}  // namespace

std::shared_ptr<QPixmap> GetPicture(int number) {
    initStore();
    counts()[QStringLiteral("picture")] += 1;
    const QString plain = path(QStringLiteral("picture"), number, QStringLiteral("png"));
    const QString dense = QStringLiteral(":/picture/%1@2x.png").arg(number);
    // QPixmap(file) passes over "@2x" files: load the dense one ourselves where the screen wants it.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    if (ratio > 1.0 && QFile::exists(dense)) {
        auto p = std::make_shared<QPixmap>(dense);
        if (!p->isNull()) {
            p->setDevicePixelRatio(2.0);
            return p;
        }
    }
    auto p = std::make_shared<QPixmap>(plain);
    return p->isNull() ? nullptr : p;
}

std::shared_ptr<Sound> GetSound(int number, const QString& name) {
    initStore();
    counts()[QStringLiteral("sound")] += 1;
    const QString file = path(QStringLiteral("sound"), number, QStringLiteral("wav"));
    if (!QFile::exists(file)) return nullptr;
    return std::make_shared<Sound>(name, QUrl(QStringLiteral("qrc") + file));
}

QByteArray GetResource(const QString& type, int number) {
    initStore();
    counts()[type] += 1;
    QFile f(path(type.toLower(), number, QStringLiteral("html")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

std::shared_ptr<QCursor> getCursor(int number) {
    initStore();
    counts()[QStringLiteral("cursor")] += 1;
    QPixmap pixmap(path(QStringLiteral("cursor"), number, QStringLiteral("png")));
    if (pixmap.isNull()) return nullptr;
    // The hot spot is stored beside the picture as "x y"; without it, the centre.
    int hx = -1, hy = -1;
    QFile spot(path(QStringLiteral("cursor"), number, QStringLiteral("hotspot")));
    if (spot.open(QIODevice::ReadOnly)) {
        const auto parts = QString::fromLatin1(spot.readAll()).simplified().split(QLatin1Char(' '));
        if (parts.size() == 2) {
            hx = parts[0].toInt();
            hy = parts[1].toInt();
        }
    }
    return std::make_shared<QCursor>(pixmap, hx, hy);
}

int requests(const QString& kind) { return counts().value(kind); }

}  // namespace fw::ResourceFork
