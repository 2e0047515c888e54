#pragma once
#include <QHostAddress>
#include <QPointer>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

// An HTTP server on 127.0.0.1 for the update check. Every request gets the reply set up last:
// whole, held back after half its body (until release), cut off there, sent before the request
// is complete (to a client that speaks TLS), never sent, or without end (its last part repeated
// for as long as the client reads). Given a TLS configuration it speaks https.
class ReplyServer : public QObject {
  public:
    enum class Mode { Whole, Hold, CutOff, AtOnce, Silent };
    QStringList paths;           // the paths asked for
    QList<QByteArray> requests;  // each request's line and headers
    bool halfSent = false;       // a held or cut-off reply has sent its first half

    explicit ReplyServer(const QSslConfiguration* tls = nullptr) {
        if (tls) {
            auto* secure = new QSslServer;
            secure->setSslConfiguration(*tls);
            server_.reset(secure);
        } else {
            server_ = std::make_unique<QTcpServer>();
        }
        // After the handshake, for https
        connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
            QTcpSocket* s = client_ = server_->nextPendingConnection();
            connect(s, &QTcpSocket::bytesWritten, s, [this, s] { feed(s); });
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (!s->property("answered").toBool() &&
                    (mode_ == Mode::AtOnce || s->peek(65536).contains("\r\n\r\n")))
                    answer(s);
            });
        });
        server_->listen(QHostAddress::LocalHost, 0);
    }
    QString site() const {
        return QStringLiteral("%1://127.0.0.1:%2")
            .arg(server_->inherits("QSslServer") ? "https" : "http")
            .arg(server_->serverPort());
    }
    bool clientGone() const { return !client_ || client_->state() == QAbstractSocket::UnconnectedState; }

    void serve(const QByteArray& body, int status = 200, Mode mode = Mode::Whole) {
        mode_ = mode;
        filler_.clear();
        reply_ = "HTTP/1.1 " + QByteArray::number(status) +
                 " S\r\nContent-Length: " + QByteArray::number(body.size()) +
                 "\r\nConnection: close\r\n\r\n" + body;
    }
    // The whole reply as given, status line and headers included.
    void serveRaw(const QByteArray& reply) {
        mode_ = Mode::Whole;
        reply_ = reply;
        filler_.clear();
    }
    // `head`, then `filler` again and again.
    void serveEndless(const QByteArray& head, const QByteArray& filler) {
        serveRaw(head);
        filler_ = filler;
    }
    // The first request is sent on to `location`; later ones get the reply set up.
    void redirectFirstTo(const QByteArray& location) {
        redirect_ = "HTTP/1.1 302 Found\r\nLocation: " + location +
                    "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    }
    void release() {
        if (client_ && client_->state() == QAbstractSocket::ConnectedState) client_->write(rest_);
        if (client_) client_->disconnectFromHost();
    }

    static QByteArray versionFile(const QString& version, const QString& free = QStringLiteral("Yes"),
                                  const QString& download = QStringLiteral("https://dl.example/z.zip"),
                                  const QString& description = QStringLiteral("Faster dice.")) {
        QString t = QStringLiteral("<?xml version=\"1.0\"?>\n<Zorvik>\n");
        if (!version.isNull()) t += QStringLiteral("<CurrentVersion>%1</CurrentVersion>\n").arg(version);
        if (!free.isNull()) t += QStringLiteral("<Free>%1</Free>\n").arg(free);
        t += QStringLiteral("<Description>%1</Description>\n<DownloadURLOSX>%2</DownloadURLOSX>\n</Zorvik>\n")
                 .arg(description, download);
        return t.toUtf8();
    }

  private:
    void answer(QTcpSocket* s) {
        s->setProperty("answered", true);
        requests << s->readAll();
        paths << QString::fromLatin1(requests.last().split(' ').value(1));
        if (!redirect_.isEmpty()) {
            s->write(std::exchange(redirect_, {}));
            s->disconnectFromHost();
            return;
        }
        if (mode_ == Mode::Silent) return;
        const qsizetype bodyAt = reply_.indexOf("\r\n\r\n") + 4;
        const qsizetype half = mode_ == Mode::Hold || mode_ == Mode::CutOff
                                   ? bodyAt + (reply_.size() - bodyAt) / 2
                                   : reply_.size();
        s->write(reply_.left(half));
        rest_ = reply_.mid(half);
        halfSent = true;
        if (!filler_.isEmpty())
            feed(s);
        else if (mode_ != Mode::Hold)
            s->disconnectFromHost();
    }
    void feed(QTcpSocket* s) {
        while (!filler_.isEmpty() && s->property("answered").toBool() &&
               s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < (1 << 20))
            s->write(filler_);
    }
    std::unique_ptr<QTcpServer> server_;
    QByteArray reply_, rest_, filler_, redirect_;
    Mode mode_ = Mode::Whole;
    QPointer<QTcpSocket> client_;
};
