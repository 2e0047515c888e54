#include <QLabel>
#include <QProgressBar>
#include <QUrl>

#include "base/version.h"
#include "fw/browser.h"
#include "fw/dialogs.h"
#include "fw/events.h"
#include "fw/sound.h"
#include "fw/text.h"
#include "update/updatesite.h"
#include "update/updatewindow.h"

using namespace fw;

namespace {
// Addresses from the reply are opened in the browser only when they are web addresses.
bool isWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}
}  // namespace

void updateWindow::hp_Error(int code) {
    HandlerScope scope;
    Beep();
    MsgBox(
        QStringLiteral("There was a communication error with the website. Please try again later. (Code: ") +
        Str(code) + QStringLiteral(")"));
    Close();
}

void updateWindow::hp_PageReceived(const QString& url, int httpStatus, const InternetHeaders& headers,
                                   const QString& content) {
    Q_UNUSED(url);
    Q_UNUSED(headers);
    HandlerScope scope;
    const QString v = returnValue(content, QStringLiteral("CurrentVersion"));
    const QString d = returnValue(content, QStringLiteral("Description"));
    const bool isFree = textEquals(returnValue(content, QStringLiteral("Free")), QStringLiteral("Yes"));
    const QString downloadURL = returnValue(content, QStringLiteral("DownloadURLOSX"));
    // An error page of the web server is a failed exchange with its status; a reply naming no version,
    // or a status that HTTP does not have, fails as a garbled reply ("Code: 200" would read as success).
    if (httpStatus < 200 || httpStatus > 299) {
        hp_Error(httpStatus >= 100 && httpStatus <= 599 ? httpStatus : kOtherFailure);
        return;
    }
    if (v.trimmed().isEmpty()) {
        hp_Error(kOtherFailure);
        return;
    }
    ProgressBar1->setVisible(false);
    if (isCurrent(v)) {
        StaticText1->setText(QStringLiteral("This version is current."));
        StaticText1->repaint();
        if (!automaticCheck)
            MsgBox(QStringLiteral("You are using the current version of Zorvik! No updates are necessary."));
        Close();
    } else {
        askUpgrade(v, d, downloadURL, isFree);
    }
}

bool updateWindow::isCurrent(const QString& version) const {
    // "1.2" reads as 1.2.0; fields after the third are not looked at.
    const int running[3] = {version::MajorVersion(), version::MinorVersion(), version::BugVersion()};
    for (int field = 1; field <= 3; ++field)
        if (Val(NthField(version, QStringLiteral("."), field)) != double(running[field - 1])) return false;
    return true;
}

void updateWindow::askUpgrade(const QString& newVersion, const QString& description,
                              const QString& downloadURL, bool isFree) {
    HandlerScope scope;
    MessageDialog dialog;
    dialog.Title = QStringLiteral("New version available!");
    dialog.Message =
        QStringLiteral("Version ") + newVersion +
        QStringLiteral(" is now available. (You are using version ") + version::ShortVersion() +
        QStringLiteral(".) ") +
        (isFree ? QStringLiteral("This is a free upgrade. Would you like to automatically download this "
                                 "update (using your web browser)?")
                : QStringLiteral("This is a paid upgrade. Would you like to automatically download the "
                                 "trial version (using your web browser)?"));
    dialog.Explanation = description;
    dialog.CancelButton = QStringLiteral("Cancel");
    dialog.AlternateButton = QStringLiteral("Go to Website");
    dialog.Icon = DialogIcon::Question;
    const DialogButton pressed = dialog.ShowModal();
    if (isClosed()) return;  // closed meanwhile (quitting): nothing more
    switch (pressed) {
        case DialogButton::Action:
            if (isWebAddress(downloadURL))
                ShowURL(downloadURL);
            else
                Beep();
            Close();
            break;
        case DialogButton::Alternate:
            ShowURL(productPageURL());
            break;
        default:
            Close();
            break;
    }
}
