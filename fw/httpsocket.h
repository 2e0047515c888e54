#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace fw {

// The header lines of a reply, in the order received.
using InternetHeaders = QList<QPair<QByteArray, QByteArray>>;

// Error numbers of a failed exchange, one per kind of failure (stable: people quote them):
//   1  connection refused: nothing listens at the address
//   2  unknown host: the name does not resolve
//   3  connection lost mid-reply: closed or reset before the reply was whole
//   4  secure connection failed: TLS handshake or certificate
//   5  reply too long: more than the socket's limit (1 MiB unless set otherwise)
//   6  any other failure of the exchange (proxy, unsupported address, unsafe redirect, garbled reply)
//   100..599  a reply that arrived but is no success: its HTTP status (raised by the window that reads it)
enum HTTPSocketError {
    kRefused = 1,
    kUnknownHost = 2,
    kConnectionLost = 3,
    kSecureFailed = 4,
    kTooLong = 5,
    kOtherFailure = 6
};

// An HTTP client. Get returns at once; exactly one of PageReceived or Error follows from the event
// loop, unless Abort (or the socket's destruction) comes first: then nothing follows.
class HTTPSocket : public QObject {
    Q_OBJECT
  public:
    explicit HTTPSocket(QObject* parent = nullptr);
    ~HTTPSocket() override;

    void Get(const QString& url);  // ends a running exchange first, silently
    void Abort();
    bool isBusy() const { return !reply_.isNull(); }

    // Bytes of a reply's body read at most; a longer reply fails with kTooLong.
    qint64 maximumLength = qint64(1) << 20;

  Q_SIGNALS:
    void PageReceived(const QString& url, int httpStatus, const fw::InternetHeaders& headers,
                      const QString& content);
    void Error(int code);

  private:
    void readSome();
    void finished();
    void fail(int code);
    QNetworkAccessManager* manager_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
};

}  // namespace fw
