#include "tests/update/replyserver.h"

#include <QHostAddress>

ReplyServer::ReplyServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            client_ = socket;
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                // One request per connection: the reply follows the request's blank line.
                if (socket->property("answered").toBool()) return;
                if (mode_ != Mode::AtOnce && !socket->peek(1 << 16).contains("\r\n\r\n")) return;
                socket->setProperty("answered", true);
                answer(socket);
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString ReplyServer::site() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

void ReplyServer::serve(const QByteArray& body, int status, Mode mode) {
    mode_ = mode;
    reply_ = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Type: text/xml\r\nContent-Length: " +
             QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    halfSent = false;
}

void ReplyServer::answer(QTcpSocket* socket) {
    const QByteArray request = socket->readAll();
    paths << QString::fromLatin1(request.split(' ').value(1));
    if (mode_ == Mode::Whole || mode_ == Mode::AtOnce) {
        socket->write(reply_);
        socket->disconnectFromHost();
    } else {
        const qsizetype bodyStart = reply_.indexOf("\r\n\r\n") + 4;
        const qsizetype half = bodyStart + (reply_.size() - bodyStart) / 2;
        socket->write(reply_.left(half));
        socket->flush();
        rest_ = reply_.mid(half);
        halfSent = true;
        if (mode_ == Mode::CutOff) socket->disconnectFromHost();
    }
    Q_EMIT requested();
}

void ReplyServer::release() {
    if (!client_ || client_->state() != QAbstractSocket::ConnectedState) return;
    client_->write(rest_);
    client_->disconnectFromHost();
}

QByteArray ReplyServer::versionFile(const QString& version, const QString& description, const QString& free,
                                    const QString& download) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Zorvik>\n");
    if (!version.isNull()) text += QStringLiteral("  <CurrentVersion>") + version + QStringLiteral("</CurrentVersion>\n");
    text += QStringLiteral("  <Description>") + description + QStringLiteral("</Description>\n");
    if (!free.isNull()) text += QStringLiteral("  <Free>") + free + QStringLiteral("</Free>\n");
    text += QStringLiteral("  <DownloadURLOSX>") + download + QStringLiteral("</DownloadURLOSX>\n</Zorvik>\n");
    return text.toUtf8();
}
