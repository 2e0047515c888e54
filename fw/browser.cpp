#include "fw/browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace fw {

void ShowURL(const QString& url) {
    QStringList& log = openedURLs();
    constexpr qsizetype kLogLimit = 1024;
    if (log.size() >= kLogLimit) log.remove(0, log.size() - kLogLimit / 2);
    log.append(url);
    QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}

QStringList& openedURLs() {
    static QStringList list;
    return list;
}

}  // namespace fw
