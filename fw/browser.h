#pragma once
#include <QString>
#include <QStringList>

namespace fw {

// Opens the address in the user's web browser: web and mail addresses (http, https, mailto) only,
// never files or programs; false when refused. When no browser can be opened (no xdg-open, say),
// a beep and a message box with the address, to be copied, tell the person. Qt tells only that no
// launcher could be started: one that starts and then fails goes unseen, and no box comes. Each
// address handed on is recorded; tests keep the browser away with QDesktopServices::setUrlHandler.
bool ShowURL(const QString& url);
QStringList& openedURLs();  // oldest first (the last thousand or so)

// Tests: true makes every opening fail, as on a desktop without a browser.
void setNoBrowserForTests(bool none);

}  // namespace fw
