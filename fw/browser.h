#pragma once
#include <QString>
#include <QStringList>

namespace fw {

// Opens the address in the user's web browser. Each address is recorded; tests keep the browser
// away with QDesktopServices::setUrlHandler.
void ShowURL(const QString& url);
QStringList& openedURLs();  // oldest first (the last thousand or so)

}  // namespace fw
