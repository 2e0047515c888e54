#include "fw/browser.h"

#include <QDesktopServices>
#include <QUrl>

#include "fw/dialogs.h"
#include "fw/sound.h"

namespace fw {
namespace {
bool& noBrowser() {
    static bool none = false;
    return none;
}
}  // namespace

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
    if (noBrowser() || !QDesktopServices::openUrl(address)) {
        Beep();
        MsgBox(QStringLiteral("No web browser could be opened for this address:\n") + url);
    }
    return true;
}

QStringList& openedURLs() {
    static QStringList list;
    return list;
}

void setNoBrowserForTests(bool none) { noBrowser() = none; }

}  // namespace fw
