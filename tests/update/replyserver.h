#pragma once
#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A small HTTP server on 127.0.0.1 for the update check: every request gets the one reply set up
// last, whole, held back after its first half (until release), or cut off after its first half.
class ReplyServer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Whole, Hold, CutOff, AtOnce };  // AtOnce: whole, before the request is complete

    ReplyServer();
    QString site() const;  // "http://127.0.0.1:<port>"

    void serve(const QByteArray& body, int status = 200, Mode mode = Mode::Whole);
    void release();  // the rest of a held reply, then the connection closes

    static QByteArray versionFile(const QString& version, const QString& description = QStringLiteral("Faster dice."),
                                  const QString& free = QStringLiteral("Yes"),
                                  const QString& download = QStringLiteral("https://dl.example/zorvik-2.zip"));

    QStringList paths;             // the paths asked for, oldest first
    bool halfSent = false;         // the first half of a held or cut-off reply has gone out
    bool clientGone() const { return !client_ || client_->state() == QAbstractSocket::UnconnectedState; }

Q_SIGNALS:
    void requested();

private:
    void answer(QTcpSocket* socket);
    QTcpServer server_;
    QByteArray reply_;
    Mode mode_ = Mode::Whole;
    QPointer<QTcpSocket> client_;
    QByteArray rest_;
};
