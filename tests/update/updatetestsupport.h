#pragma once
#include <QDesktopServices>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <functional>

#include "fw/browser.h"
#include "fw/dialogs.h"
#include "fw/sound.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "tests/support/testsupport.h"
#include "tests/update/replyserver.h"
#include "update/hp.h"
#include "update/updatesite.h"
#include "update/updatewindow.h"

// Keeps every address away from the real browser; fw::openedURLs() tells what was opened.
class NoBrowser : public QObject {
    Q_OBJECT
public:
    NoBrowser() {
        for (const char* scheme : {"http", "https", "file", "javascript"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~NoBrowser() override {
        for (const char* scheme : {"http", "https", "file", "javascript"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
public Q_SLOTS:
    void open(const QUrl& url) { opened << url.toString(); }

public:
    QStringList opened;
};

// What the window showed while its check ran, as the dialogs saw it.
struct Seen {
    QString text;          // StaticText1 when the first dialog came
    bool barVisible = true;
};

// Chooses Help > Check Website for New Version... and lets `whileShown` act on the modal window;
// returns once the window has closed. The dialogs are answered with `button`.
inline Seen chooseCheck(int button = 0, const std::function<void(updateWindow*)>& whileShown = {}) {
    Seen seen;
    bool first = true;
    fw::setDialogResponder([&](const fw::DialogRecord&) {
        if (auto* w = fw::Window::ifOpen<updateWindow>(); w && first) {
            seen.text = w->StaticText1->text();
            seen.barVisible = w->ProgressBar1->isVisible();
            first = false;
        }
        return button;
    });
    fw::Window::setModalHook([&](fw::Window* w) {
        auto* u = qobject_cast<updateWindow*>(w);
        if (!u) return;
        if (whileShown) whileShown(u);
        if (QTest::currentTestFailed() && !u->isClosed()) u->Close();  // never leave the test waiting
    });
    Menu::get()->updateEnabled();
    Menu::get()->choose(*HelpCheckforUpdates());
    fw::Window::setModalHook(nullptr);
    testing::drain(3);
    return seen;
}

inline QStringList messages() {
    QStringList list;
    for (const fw::DialogRecord& r : fw::shownDialogs()) list << r.message;
    return list;
}

inline QString errorMessage(int code) {
    return QStringLiteral("There was a communication error with the website. Please try again later. (Code: %1)")
        .arg(code);
}
