#include "fw/browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace fw {

bool ShowURL(const QString& url) {
    const QUrl address(url, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
        scheme != QLatin1String("mailto"))
        return false;
    QStringList& log = openedURLs();
    constexpr qsizetype kLogLimit = 1024;
    if (log.size() >= kLogLimit) log.remove(0, log.size() - kLogLimit / 2);
    log.append(url);
    QDesktopServices::openUrl(address);
    return true;
}

QStringList& openedURLs() {
    static QStringList list;
    return list;
}

}  // namespace fw
