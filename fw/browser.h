#pragma once
#include <QString>
#include <QStringList>

namespace fw {

// Opens the address in the user's web browser: web and mail addresses (http, https, mailto) only,
// never files or programs; false when refused. Each address opened is recorded; tests keep the
// browser away with QDesktopServices::setUrlHandler.
bool ShowURL(const QString& url);
QStringList& openedURLs();  // oldest first (the last thousand or so)

}  // namespace fw
