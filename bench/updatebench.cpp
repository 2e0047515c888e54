// The update check against hostile web servers: for each case a fresh process runs the real
// program (runApplication) with its site pointed at a server on 127.0.0.1 that this bench runs,
// starts a game, chooses Help > Check Website for New Version... and waits for the box that
// follows. Prints, per case, the time from the menu command to the box, the program's peak memory
// (VmHWM) before the check and at the box, the longest stall of its event loop, the box's size
// against the screen's available area, and the box's text (its start and end).
// Usage: updatebench [case ...]   (default: every case; set QT_QPA_PLATFORM=offscreen where there is
// no display). Cases: header-line, header-lines, chunked, false-length, silent, description, and
// packed zeros (a few KB on the wire): te-deflate (64 MiB), te-gzip (gzip, chunked: 1000 MiB),
// te-gzip-gzip (gzip, gzip, chunked: 1000 MiB), te-gzip-gzip-8g (8 GiB), ce-gzip and ce-deflate
// (Content-Encoding: 1000 MiB).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "fw/menu.h"
#include "fw/prefs.h"
#include "fw/window.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "tests/support/packing.h"
#include "update/updatesite.h"
#include "update/updatewindow.h"

namespace {
constexpr int kCaseLimitMs = 45000;  // a check still running then is reported as never ending

long statusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').first().toLong();
    return 0;
}

// The child: the program itself, with a driver acting through its windows.
int child(int argc, char** argv) {
    QTemporaryDir prefs;
    fw::setPreferencesFolder(prefs.path());
    fw::writeLinesAtomically(prefs.filePath(QStringLiteral("Zorvik Prefs")),
                             QStringLiteral("2 true 0 Ann true 2 Robo 10000").split(QLatin1Char(' ')));
    setMakerSite(QString::fromLatin1(argv[2]));
    fw::Window::setModalHook([](fw::Window* w) {
        auto* dialog = qobject_cast<gameSettingsWindow*>(w);
        if (!dialog) return;
        fw::Window::setModalHook(nullptr);
        dialog->okayButton->Push();
        QTimer::singleShot(0, [] {
            const long before = statusKb("VmHWM:");
            QElapsedTimer clock, sinceTick;
            clock.start();
            sinceTick.start();
            qint64 stall = 0, at = -1;
            long peak = 0;
            QString text, size = QStringLiteral("-");
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                stall = std::max(stall, sinceTick.restart());
                if (at >= 0) return;
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    auto* box = qobject_cast<QMessageBox*>(top);
                    if (!box || !box->isVisible()) continue;
                    at = clock.elapsed();
                    peak = statusKb("VmHWM:");
                    text = box->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
                    if (text.size() > 60) text = text.left(36) + QStringLiteral("...") + text.right(20);
                    const QRect area = box->screen()->availableGeometry();
                    const QRect frame = box->frameGeometry();
                    size =
                        QStringLiteral("%1x%2%3%4%5%6 in %7x%8 %9")
                            .arg(frame.width())
                            .arg(frame.height())
                            .arg(frame.x() < 0 ? QString() : QStringLiteral("+"))
                            .arg(frame.x())
                            .arg(frame.y() < 0 ? QString() : QStringLiteral("+"))
                            .arg(frame.y())
                            .arg(area.width())
                            .arg(area.height())
                            .arg(area.contains(frame) ? QStringLiteral("inside") : QStringLiteral("OUTSIDE"));
                    // Cancel where offered, else the only button.
                    QAbstractButton* answer = box->buttons().value(box->buttons().size() > 1 ? 1 : 0);
                    QTimer::singleShot(50, box, [answer] { answer->click(); });
                    return;
                }
                if (clock.elapsed() > kCaseLimitMs) {
                    peak = statusKb("VmHWM:");
                    text = QStringLiteral("(no end within %1 s)").arg(kCaseLimitMs / 1000);
                    if (auto* open = fw::Window::ifOpen<updateWindow>()) open->Close();
                }
            });
            poll.start(5);
            HelpCheckforUpdates()->action()->trigger();  // returns when the update window has closed
            if (at < 0) at = clock.elapsed();
            std::printf("result %lld %ld %ld %lld|%s|%s\n", static_cast<long long>(at), before, peak,
                        static_cast<long long>(stall), qPrintable(size), qPrintable(text));
            std::fflush(stdout);
            FileQuit()->action()->trigger();
        });
    });
    return runApplication(argc, argv);
}

// Serves one hostile reply per connection; streams endless ones as fast as the client reads.
class HostileServer : public QObject {
  public:
    explicit HostileServer(const QByteArray& kind) : kind_(kind) {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = server_.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (s->property("answered").toBool() || !s->peek(65536).contains("\r\n\r\n")) return;
                s->setProperty("answered", true);
                s->readAll();
                start(s);
            });
            connect(s, &QTcpSocket::bytesWritten, s, [this, s] { feed(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        });
    }
    QString site() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

  private:
    void start(QTcpSocket* s) {
        if (kind_ == "header-line") {
            s->write("HTTP/1.1 200 OK\r\nX-Endless: ");
            filler_ = QByteArray(64 * 1024, 'a');
        } else if (kind_ == "header-lines") {
            QByteArray head = "HTTP/1.1 200 OK\r\n";
            for (int i = 0; i < 1000000; ++i) head += "X-Line-" + QByteArray::number(i) + ": v\r\n";
            const QByteArray body = versionFile("x");
            s->write(head + "Content-Length: " + QByteArray::number(body.size()) +
                     "\r\nConnection: close\r\n\r\n" + body);
            s->disconnectFromHost();
        } else if (kind_ == "chunked") {
            s->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
            filler_ = "4000\r\n" + QByteArray(0x4000, 'x') + "\r\n";
        } else if (kind_ == "false-length") {
            s->write("HTTP/1.1 200 OK\r\nContent-Length: 10000000000\r\n\r\n");
            filler_ = QByteArray(64 * 1024, 'x');
        } else if (kind_ == "description") {
            QByteArray lines;
            for (int i = 0; i < 200000; ++i) lines += "x\n";
            const QByteArray body = versionFile(lines);
            s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                     "\r\nConnection: close\r\n\r\n" + body);
            s->disconnectFromHost();
        } else if (kind_.startsWith("te-") || kind_.startsWith("ce-")) {
            s->write(bomb(kind_));
            s->disconnectFromHost();
        }  // "silent": reads the request and never answers
        feed(s);
    }
    void feed(QTcpSocket* s) {
        while (!filler_.isEmpty() && s->state() == QAbstractSocket::ConnectedState &&
               s->bytesToWrite() < 1024 * 1024)
            s->write(filler_);
    }
    static QByteArray bomb(const QByteArray& kind) {
        using namespace packing;
        const QByteArray head = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
        const QByteArray gzip = packedZeros(kGzip, kind == "te-gzip-gzip-8g" ? 8192 : 1000);
        if (kind == "te-deflate") return head + "Transfer-Encoding: deflate\r\n\r\n" + packedZeros(kZlib, 64);
        if (kind == "te-gzip") return head + "Transfer-Encoding: gzip, chunked\r\n\r\n" + chunked(gzip);
        if (kind.startsWith("te-gzip-gzip"))
            return head + "Transfer-Encoding: gzip, gzip, chunked\r\n\r\n" + chunked(pack(kGzip, gzip));
        const QByteArray body = kind == "ce-gzip" ? gzip : packedZeros(kZlib, 1000);
        return head + "Content-Encoding: " + kind.mid(3) +
               "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    static QByteArray versionFile(const QByteArray& description) {
        return "<Zorvik><CurrentVersion>9.0.0</CurrentVersion><Free>Yes</Free><Description>" + description +
               "</Description><DownloadURLOSX>https://dl.example/z</DownloadURLOSX></Zorvik>\n";
    }
    QByteArray kind_, filler_;
    QTcpServer server_;
};

bool measure(const QByteArray& kind) {
    HostileServer server(kind);
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kCaseLimitMs + 30000, &loop, &QEventLoop::quit);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), server.site()});
    loop.exec();  // the server answers meanwhile
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    QByteArray line;
    for (const QByteArray& l : p.readAllStandardOutput().split('\n'))
        if (l.startsWith("result ")) line = l.mid(7);
    const QList<QByteArray> parts = line.split('|');
    const QList<QByteArray> f = parts.first().split(' ');
    if (parts.size() != 3 || f.size() != 4) {
        std::printf("%-16s the program reported nothing\n", kind.constData());
        return false;
    }
    std::printf(
        "%-16s %7.1f s to the box, peak %4ld MiB (%4ld MiB before, +%ld MiB), longest stall %6lld ms, "
        "box %s: %s\n",
        kind.constData(), f[0].toDouble() / 1000, f[2].toLong() / 1024, f[1].toLong() / 1024,
        (f[2].toLong() - f[1].toLong()) / 1024, f[3].toLongLong(), parts[1].constData(),
        parts[2].constData());
    std::fflush(stdout);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);
    // The servers listen on loopback: no proxy stands between, whatever the machine's variables say.
    qputenv("NO_PROXY", "127.0.0.1,localhost");
    qputenv("no_proxy", "127.0.0.1,localhost");
    QCoreApplication app(argc, argv);
    QList<QByteArray> kinds;
    for (int i = 1; i < argc; ++i) kinds << argv[i];
    if (kinds.isEmpty())
        kinds = {"header-line", "header-lines", "chunked",      "false-length",    "silent",  "description",
                 "te-deflate",  "te-gzip",      "te-gzip-gzip", "te-gzip-gzip-8g", "ce-gzip", "ce-deflate"};
    bool all = true;
    for (const QByteArray& kind : kinds) all = measure(kind) && all;
    return all ? 0 : 1;
}
