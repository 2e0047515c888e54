#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <memory>

namespace fw {
namespace detail {
struct HttpExchange;
}

// The header lines of a reply, in the order received.
using InternetHeaders = QList<QPair<QByteArray, QByteArray>>;

// Error numbers of a failed exchange, one per kind of failure (stable: people quote them):
//   1  connection refused: nothing listens at the address (the server's, or the proxy's)
//   2  unknown host: the name (the server's, or the proxy's) does not resolve
//   3  connection lost mid-reply: closed or reset before the reply was whole, or its chunk framing broken
//   4  secure connection failed: TLS handshake or certificate
//   5  reply too long: more bytes than the socket's limit (1 MiB unless set otherwise) arrived, headers
//      included, or its body unpacks to more; or more than 64 KiB of headers
//   6  any other failure of the exchange (a proxy that answers the CONNECT for an https address with
//      no 2xx, unsupported address, refused redirect, garbled reply, a content coding that does not
//      unpack to its end, any transfer coding but chunked)
//   7  no reply in time: the exchange had not ended within the socket's time limit (30 s)
//   100..599  a reply that arrived but is no success: its HTTP status (raised by the window that reads it)
enum HTTPSocketError {
    kRefused = 1,
    kUnknownHost = 2,
    kConnectionLost = 3,
    kSecureFailed = 4,
    kTooLong = 5,
    kOtherFailure = 6,
    kTimedOut = 7
};

// An HTTP client (libcurl on a thread of its own per exchange). Get returns at once; exactly one of
// PageReceived or Error follows from the event loop, unless Abort (or the socket's destruction) comes
// first: then nothing follows. Redirects are followed to http and https addresses only, never from
// https to http. Bodies packed with gzip or deflate are unpacked. The usual proxy variables
// (http_proxy, https_proxy, ALL_PROXY, NO_PROXY) are followed.
class HTTPSocket : public QObject {
    Q_OBJECT
  public:
    explicit HTTPSocket(QObject* parent = nullptr);
    ~HTTPSocket() override;

    void Get(const QString& url);  // ends a running exchange first, silently
    void Abort();                  // returns when the exchange has ended
    bool isBusy() const { return exchange_ != nullptr; }

    // Bytes that may arrive in one exchange, status lines, headers and framing included, and bytes of
    // the body once unpacked; more fail with kTooLong, so that what a server sends never costs more
    // memory than this.
    qint64 maximumLength = qint64(1) << 20;
    // Milliseconds from Get to the reply's last byte; an exchange still running then fails with kTimedOut.
    qint64 timeLimit = 30000;

  Q_SIGNALS:
    void PageReceived(const QString& url, int httpStatus, const fw::InternetHeaders& headers,
                      const QString& content);
    void Error(int code);

  private:
    void finished(quint64 serial);
    std::unique_ptr<detail::HttpExchange> exchange_;
    quint64 serial_ = 0;
};

// Tests make the socket trust their own servers' certificates: a PEM file (empty: no more).
void setTrustedCertificatesForTests(const QString& pemFile);

}  // namespace fw
