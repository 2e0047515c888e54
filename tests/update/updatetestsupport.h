#pragma once
#include <curl/curl.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <optional>

#include "fw/browser.h"
#include "fw/curllib.h"
#include "fw/dialogs.h"
#include "fw/sound.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "tests/support/testsupport.h"
#include "tests/update/replyserver.h"
#include "update/hp.h"
#include "update/updatesite.h"
#include "update/updatewindow.h"

// Keeps every address away from the real browser and records what reached it.
class NoBrowser : public QObject {
    Q_OBJECT
    const QStringList schemes{"http", "https", "file", "javascript"};

  public:
    QStringList opened;
    NoBrowser() {
        for (const QString& s : schemes) QDesktopServices::setUrlHandler(s, this, "open");
    }
    ~NoBrowser() override {
        for (const QString& s : schemes) QDesktopServices::unsetUrlHandler(s);
    }
  public Q_SLOTS:
    void open(const QUrl& url) { opened << url.toString(); }
};

// A check still running after `ms` fails its test and is closed, so that a hung exchange costs
// seconds, not the test runner's 300 s and the rest of the suite.
class HangGuard {
  public:
    explicit HangGuard(int ms = 10000) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [ms] {
            QTest::qFail(qPrintable(QStringLiteral("the check had not ended after %1 ms").arg(ms)), __FILE__,
                         __LINE__);
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->reject();
            if (auto* w = fw::Window::ifOpen<updateWindow>()) w->Close();
        });
        timer_.start(ms);
    }

  private:
    QTimer timer_;
};

// Chooses Help > Check Website for New Version..., lets `whileShown` act on the modal window and
// returns once it has closed, with the window's text and bar as the first dialog found them.
// The dialogs are answered with `button`.
inline std::pair<QString, bool> chooseCheck(int button = 0,
                                            const std::function<void(updateWindow*)>& whileShown = {}) {
    std::pair<QString, bool> seen;
    fw::setDialogResponder([&](const fw::DialogRecord&) {
        if (auto* w = fw::Window::ifOpen<updateWindow>(); w && seen.first.isNull())
            seen = {w->StaticText1->text(), w->ProgressBar1->isVisible()};
        return button;
    });
    fw::Window::setModalHook([&](fw::Window* w) {
        if (whileShown) whileShown(qobject_cast<updateWindow*>(w));
        if (QTest::currentTestFailed()) w->Close();  // never leave the test waiting
    });
    Menu::get()->updateEnabled();
    {
        HangGuard guard;
        Menu::get()->choose(*HelpCheckforUpdates());
    }
    fw::Window::setModalHook(nullptr);
    testing::drain(3);
    return seen;
}

// Chooses the check (by the menu command, or as `choose` does) with the real message boxes shown:
// `look` sees each box once it is on the screen, then the box's button `press` is pressed, or its
// OK when it has none such.
inline void checkWithRealBox(const std::function<void(QMessageBox*)>& look,
                             const QString& press = QStringLiteral("Cancel"),
                             const std::function<void()>& choose = {}) {
    struct Watcher : QObject {
        std::function<void(QMessageBox*)> look;
        QString press;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (auto* box = qobject_cast<QMessageBox*>(o); box && e->type() == QEvent::Show)
                QTimer::singleShot(0, box, [this, box] {
                    look(box);
                    QAbstractButton* pressed = nullptr;
                    for (QAbstractButton* b : box->buttons())
                        if (b->text() == press || (!pressed && b->text() == QStringLiteral("OK")))
                            pressed = b;
                    if (pressed) pressed->click();
                });
            return false;
        }
    } watcher;
    watcher.look = look;
    watcher.press = press;
    qApp->installEventFilter(&watcher);
    fw::setDialogResponder(nullptr);
    Menu::get()->updateEnabled();
    {
        HangGuard guard;
        if (choose)
            choose();
        else
            Menu::get()->choose(*HelpCheckforUpdates());
    }
    qApp->removeEventFilter(&watcher);
    testing::drain(3);
}

inline QStringList messages() {
    QStringList list;
    for (const fw::DialogRecord& r : fw::shownDialogs()) list << r.message;
    return list;
}

// Whether the libcurl that the socket uses speaks TLS (asked of the library itself, not of Qt).
inline bool curlSpeaksTls() {
    const fw::CurlLibrary* curl = fw::loadCurl();
    return curl && (curl->version_info(CURLVERSION_NOW)->features & CURL_VERSION_SSL) != 0;
}

// The file of the system's certificate authorities that libcurl reads (Debian's ca-certificates);
// empty when it names none.
inline QString curlCertificateFile() {
    const fw::CurlLibrary* curl = fw::loadCurl();
    CURL* e = curl ? curl->easy_init() : nullptr;
    if (!e) return {};
    char* path = nullptr;
    curl->easy_getinfo(e, CURLINFO_CAINFO, &path);
    const QString file = path ? QFile::decodeName(path) : QString();
    curl->easy_cleanup(e);
    return file;
}

// A server configuration with a key and a certificate for 127.0.0.1 signed by itself, made by the
// openssl program into `dir` (cert.pem); none when there is no such program.
inline std::optional<QSslConfiguration> selfSignedTls(const QTemporaryDir& dir) {
    QProcess openssl;
    openssl.start(
        QStringLiteral("openssl"),
        {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2",
         "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
         dir.filePath(QStringLiteral("key.pem")), "-out", dir.filePath(QStringLiteral("cert.pem"))});
    if (!openssl.waitForFinished(20000) || openssl.exitCode() != 0) return std::nullopt;
    QFile key(dir.filePath(QStringLiteral("key.pem"))), certificate(dir.filePath(QStringLiteral("cert.pem")));
    if (!key.open(QIODevice::ReadOnly) || !certificate.open(QIODevice::ReadOnly)) return std::nullopt;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
    tls.setLocalCertificate(QSslCertificate(certificate.readAll()));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}
