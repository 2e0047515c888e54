#include "fw/httpsocket.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace fw {
namespace {
int errorNumber(QNetworkReply::NetworkError e) {
    switch (e) {
        case QNetworkReply::ConnectionRefusedError:
            return kRefused;
        case QNetworkReply::HostNotFoundError:
            return kUnknownHost;
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
            return kConnectionLost;
        case QNetworkReply::SslHandshakeFailedError:
            return kSecureFailed;
        default:
            return kOtherFailure;
    }
}

// Errors below the content range of QNetworkReply are the transport's: no usable reply came.
bool transportError(QNetworkReply::NetworkError e) {
    return e != QNetworkReply::NoError && e < QNetworkReply::ContentAccessDenied;
}
}  // namespace

HTTPSocket::HTTPSocket(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

HTTPSocket::~HTTPSocket() { Abort(); }

void HTTPSocket::Get(const QString& url) {
    Abort();
    body_.clear();
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maximumLength) fail(kTooLong);
    });
    connect(reply_, &QNetworkReply::readyRead, this, &HTTPSocket::readSome);
    connect(reply_, &QNetworkReply::finished, this, &HTTPSocket::finished);
}

void HTTPSocket::Abort() {
    if (!reply_) return;
    QNetworkReply* r = reply_;
    reply_ = nullptr;
    r->disconnect(this);  // abort() raises finished at once: it must reach no one
    r->abort();
    r->deleteLater();
}

void HTTPSocket::readSome() {
    if (!reply_) return;
    // One byte past the limit is enough to know that the reply is too long.
    body_.append(reply_->read(maximumLength + 1 - body_.size()));
    if (body_.size() > maximumLength) fail(kTooLong);
}

void HTTPSocket::finished() {
    if (!reply_) return;
    readSome();
    if (!reply_) return;
    QNetworkReply* r = reply_;
    const QVariant status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // Any other error names the status (404, 400) unless the status says success: then the body
    // itself was garbled (it failed to decode) and only part of it, if any, came.
    const bool garbled = r->error() != QNetworkReply::NoError && status.toInt() / 100 == 2;
    if (!status.isValid() || transportError(r->error()) || garbled) {
        fail(errorNumber(r->error()));
        return;
    }
    reply_ = nullptr;
    r->disconnect(this);
    r->deleteLater();
    const QString url = r->url().toString();
    const InternetHeaders headers = r->rawHeaderPairs();
    const QString content = QString::fromUtf8(std::exchange(body_, {}));
    Q_EMIT PageReceived(url, status.toInt(), headers, content);
}

void HTTPSocket::fail(int code) {
    Abort();
    body_.clear();
    Q_EMIT Error(code);
}

}  // namespace fw
