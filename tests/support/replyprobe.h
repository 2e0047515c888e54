#pragma once
// Hands arbitrary bytes to the update check as a reply and checks what must hold for any reply:
// the reader never fails and returns only text that stands between its tags; exactly one message
// or dialog follows; only a web address from the reply is ever opened; the window is closed
// unless "Go to Website" was chosen; nothing reaches the window after it has closed.
// Byte 0 picks the HTTP status and the dialog's answer, the rest is the body.
// The caller keeps the browser away (QDesktopServices::setUrlHandler for http and https).
#include <QCoreApplication>
#include <QUrl>

#include "fw/browser.h"
#include "fw/dialogs.h"
#include "fw/sound.h"
#include "fw/text.h"
#include "update/updatesite.h"
#include "update/updatewindow.h"

namespace replyprobe {

inline void drain() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Empty when everything held, else what did not.
inline QString probe(const QByteArray& data) {
    const unsigned char first = data.isEmpty() ? 0 : static_cast<unsigned char>(data[0]);
    const int statuses[4] = {200, 204, 404, 500};
    const int status = statuses[(first >> 2) & 3];
    const int answer = first % 3;
    const QString content = QString::fromUtf8(data.mid(1));

    for (const QString& name : {QStringLiteral("CurrentVersion"), QStringLiteral("Description"),
                                QStringLiteral("Free"), QStringLiteral("DownloadURLOSX"), content.left(8)}) {
        const QString value = updateWindow::returnValue(content, name);
        if (!value.isEmpty() &&
            !content.contains(updateWindow::startTag(name) + value + updateWindow::endTag(name),
                              Qt::CaseInsensitive))
            return QStringLiteral("value not between its tags: ") + name;
    }

    setMakerSite(QStringLiteral("unsupported://fuzz"));  // the window's own request goes nowhere
    fw::setDialogResponder(
        [answer](const fw::DialogRecord& r) { return r.buttons.size() == 3 ? answer : 0; });
    fw::shownDialogs().clear();
    fw::openedURLs().clear();
    fw::beepCount() = 0;
    updateWindow* w = updateWindow::get();
    w->hp_PageReceived(updateURL(), status, {}, content);

    QString failure;
    const QString version = updateWindow::returnValue(content, QStringLiteral("CurrentVersion"));
    const QString download = updateWindow::returnValue(content, QStringLiteral("DownloadURLOSX"));
    const bool failed = (status != 200 && status != 204) || version.trimmed().isEmpty();
    if (fw::shownDialogs().size() != 1)
        failure = QStringLiteral("not one message");
    else if (failed && (fw::beepCount() != 1 ||
                        !fw::shownDialogs().first().message.endsWith(
                            QStringLiteral("(Code: %1)")
                                .arg(status == 200 || status == 204 ? int(fw::kOtherFailure) : status))))
        failure = QStringLiteral("failed exchange not reported");
    // "Go to Website" keeps the window open; the probe's site has no web scheme, so nothing opens.
    else if (!w->isClosed() && !(answer == 2 && fw::openedURLs().isEmpty()))
        failure = QStringLiteral("window left open");
    else if (w->isClosed() && !fw::openedURLs().isEmpty()) {
        const QUrl opened(fw::openedURLs().first());
        if (fw::openedURLs().size() != 1 || fw::openedURLs().first() != download ||
            (opened.scheme() != QLatin1String("http") && opened.scheme() != QLatin1String("https")))
            failure = QStringLiteral("opened an address it must not");
    }
    if (!w->isClosed()) w->Close();
    drain();
    if (failure.isEmpty() && fw::shownDialogs().size() != 1)
        failure = QStringLiteral("a message after the close");
    return failure;
}

}  // namespace replyprobe
