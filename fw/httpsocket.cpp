#include "fw/httpsocket.h"

#include <zlib.h>

#include <QFile>
#include <QUrl>
#include <atomic>
#include <thread>

#include "fw/curllib.h"

namespace fw {
namespace detail {
// The state of unpacking a body packed with gzip or deflate. libcurl would unpack it too, but takes a
// stream cut short as a whole body: here the stream must reach its end.
struct Inflater {
    enum Coding { kPlain, kGzip, kDeflate };
    Coding coding = kPlain;
    z_stream z{};
    bool open = false;   // inflateInit2 has succeeded: inflateEnd is owed
    bool ended = false;  // the stream (its last gzip member so far) has reached its end
    // The first two bytes of a deflate body: they tell a zlib-wrapped stream from a raw one.
    unsigned char head[2]{};
    int headSize = 0;
    ~Inflater() {
        if (open) inflateEnd(&z);
    }
};

// One exchange: the handles, the worker thread that drives them and what it collected. The socket's
// thread touches the handles only before the worker starts and after it has been joined.
struct HttpExchange {
    CurlLibrary curl{};
    quint64 serial = 0;
    qint64 limit = 0;
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    std::thread worker;
    std::atomic<bool> stop{false};
    // Bytes as they came off the connection (after TLS): status lines, headers, body, chunk framing.
    qint64 arrived = 0;
    qint64 headerBytes = 0;  // of every reply, redirects included
    bool tooLong = false;
    bool outOfMemory = false;  // in a callback of ours
    bool secureHop = false;    // some hop was https: no later one may be http
    bool badCoding = false;    // a body that does not unpack, or in a coding that was not asked for
    bool bodyStarted = false;  // the codings are chosen at the body's first byte
    CURLcode result = CURLE_OK;
    QByteArray body;
    InternetHeaders headers;
    Inflater inflater;  // destroyed (inflateEnd) after the destructor below has joined the worker

    bool overLimit() {
        if (arrived > limit) tooLong = true;
        return tooLong;
    }
    ~HttpExchange() {
        if (worker.joinable()) {
            stop = true;
            curl.multi_wakeup(multi);
            worker.join();
        }
        if (multi && easy) curl.multi_remove_handle(multi, easy);
        if (easy) curl.easy_cleanup(easy);
        if (multi) curl.multi_cleanup(multi);
    }
};

}  // namespace detail

namespace {
using Exchange = detail::HttpExchange;

// Sees every byte that arrives, framing included, before the callbacks below get their part of it.
int countArrival(CURL*, curl_infotype type, char*, size_t size, void* userdata) noexcept {
    if (type == CURLINFO_HEADER_IN || type == CURLINFO_DATA_IN)
        static_cast<Exchange*>(userdata)->arrived += qint64(size);
    return 0;
}

// Each returns a count other than the one given, or nonzero, to end the transfer, and none throws: an
// exception must not cross libcurl.

// Keeps bytes of the body as they came or once unpacked (20 KB of gzip can unpack to 1 GB): the
// body is held to the limit, and no more than the limit is ever held.
bool keep(Exchange* x, const char* data, size_t n) noexcept {
    if (x->body.size() + qint64(n) > x->limit) x->tooLong = true;
    if (x->overLimit()) return false;
    try {
        x->body.append(data, qsizetype(n));
    } catch (...) {
        x->outOfMemory = true;
        return false;
    }
    return true;
}

bool refuseCoding(Exchange* x) noexcept {
    x->badCoding = true;
    return false;
}

// Chooses how the final reply's body is read, from its headers (a redirect's are gone by then).
// Content-Encoding gzip or deflate is unpacked, identity or none taken as it is; any other, several
// in layers, or a Transfer-Encoding other than chunked (none was asked for) is refused.
bool chooseCoding(Exchange* x) noexcept {
    try {
        QByteArrayList content;
        for (const auto& [name, value] : x->headers) {
            const bool transfer = name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0;
            if (!transfer && name.compare("Content-Encoding", Qt::CaseInsensitive) != 0) continue;
            for (const QByteArray& part : value.toLower().split(',')) {
                const QByteArray coding = part.trimmed();
                if (transfer && coding != "chunked") return refuseCoding(x);
                if (!transfer && !coding.isEmpty() && coding != "identity") content << coding;
            }
        }
        if (content.isEmpty()) return true;
        if (content.size() == 1 && (content[0] == "gzip" || content[0] == "x-gzip"))
            x->inflater.coding = detail::Inflater::kGzip;
        else if (content.size() == 1 && content[0] == "deflate")
            x->inflater.coding = detail::Inflater::kDeflate;
        else
            return refuseCoding(x);
        return true;
    } catch (...) {
        x->outOfMemory = true;
        return false;
    }
}

// Unpacks the next bytes of the body into it. After the stream's end only another gzip member may
// follow.
bool inflateSome(Exchange* x, const unsigned char* data, size_t n) noexcept {
    detail::Inflater& f = x->inflater;
    z_stream& z = f.z;
    z.next_in = const_cast<unsigned char*>(data);
    z.avail_in = uInt(n);
    for (;;) {
        if (f.ended) {
            if (z.avail_in == 0) return true;
            if (f.coding != detail::Inflater::kGzip || inflateReset(&z) != Z_OK) return refuseCoding(x);
            f.ended = false;
        }
        char out[16384];
        z.next_out = reinterpret_cast<unsigned char*>(out);
        z.avail_out = sizeof out;
        const int r = inflate(&z, Z_NO_FLUSH);
        if (!keep(x, out, sizeof out - z.avail_out)) return false;
        if (r == Z_MEM_ERROR) {
            x->outOfMemory = true;
            return false;
        }
        if (r == Z_STREAM_END)
            f.ended = true;
        else if (r != Z_OK && !(r == Z_BUF_ERROR && z.avail_in == 0))
            return refuseCoding(x);  // garbled, or wants a dictionary (no progress with input left: never)
        else if (z.avail_in == 0 && z.avail_out > 0)
            return true;  // all taken, nothing more to come out of it
    }
}

bool unpack(Exchange* x, const char* data, size_t n) noexcept {
    detail::Inflater& f = x->inflater;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    if (!f.open) {
        int windowBits = 15 + 16;  // gzip
        if (f.coding == detail::Inflater::kDeflate) {
            // HTTP's deflate is zlib-wrapped, but servers send raw deflate too: a stream that does not
            // start with a zlib header is read as raw, as browsers do.
            for (; f.headSize < 2 && n > 0; --n) f.head[f.headSize++] = *bytes++;
            if (f.headSize < 2) return true;
            const unsigned cmf = f.head[0], flg = f.head[1];
            const bool zlibHeader =
                (cmf & 0x0f) == Z_DEFLATED && (cmf >> 4) <= 7 && (cmf * 256 + flg) % 31 == 0;
            windowBits = zlibHeader ? 15 : -15;
        }
        const int r = inflateInit2(&f.z, windowBits);
        if (r != Z_OK) {
            (r == Z_MEM_ERROR ? x->outOfMemory : x->badCoding) = true;
            return false;
        }
        f.open = true;
        if (f.headSize > 0 && !inflateSome(x, f.head, size_t(f.headSize))) return false;
    }
    return inflateSome(x, bytes, n);
}

// Takes the body once libcurl has undone its chunked framing; libcurl's own unpacking is off.
size_t takeBody(char* data, size_t size, size_t count, void* userdata) noexcept {
    auto* x = static_cast<Exchange*>(userdata);
    const size_t n = size * count;
    if (!x->bodyStarted) {
        x->bodyStarted = true;
        if (!chooseCoding(x)) return 0;
    }
    const bool taken = x->inflater.coding == detail::Inflater::kPlain ? keep(x, data, n) : unpack(x, data, n);
    return taken ? n : 0;
}

// libcurl refuses a header line over 100 KiB (as out of memory) and more than 300 KiB of headers (as
// a failed receive); headers of a real reply are small, and more than this are too long a reply.
constexpr qint64 kHeaderLimit = 64 * 1024;

size_t takeHeader(char* data, size_t size, size_t count, void* userdata) noexcept {
    auto* x = static_cast<Exchange*>(userdata);
    x->headerBytes += qint64(size * count);
    if (x->headerBytes > kHeaderLimit) x->tooLong = true;
    if (x->overLimit()) return 0;
    try {
        const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
        if (line.startsWith("HTTP/")) {
            x->headers.clear();  // a redirect's or an interim reply's headers are not the page's
        } else if (const qsizetype colon = line.indexOf(':'); colon > 0) {
            x->headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
        }
    } catch (...) {
        x->outOfMemory = true;
        return 0;
    }
    return size * count;
}

int checkProgress(void* userdata, curl_off_t, curl_off_t, curl_off_t, curl_off_t) noexcept {
    auto* x = static_cast<Exchange*>(userdata);
    return x->stop || x->overLimit() ? 1 : 0;
}

// Runs before every request, each redirect's included, once its connection is up and before anything
// is sent: once a hop has been https, an http one is refused (libcurl's list of allowed redirect
// schemes is fixed for the whole exchange).
int checkHop(void* userdata, char*, char*, int, int) noexcept {
    auto* x = static_cast<Exchange*>(userdata);
    char* url = nullptr;
    x->curl.easy_getinfo(x->easy, CURLINFO_EFFECTIVE_URL, &url);
    const bool secure = url && qstrnicmp(url, "https:", 6) == 0;
    if (x->secureHop && !secure) return CURL_PREREQFUNC_ABORT;
    x->secureHop = x->secureHop || secure;
    return CURL_PREREQFUNC_OK;
}

void run(Exchange* x) {
    const CurlLibrary& curl = x->curl;
    int running = 1;
    while (running > 0 && !x->stop) {
        if (curl.multi_perform(x->multi, &running) != CURLM_OK) break;
        if (running > 0) curl.multi_poll(x->multi, nullptr, 0, 1000, nullptr);
    }
    int left = 0;
    x->result = CURLE_FAILED_INIT;
    while (CURLMsg* m = curl.multi_info_read(x->multi, &left))
        if (m->msg == CURLMSG_DONE) x->result = m->data.result;
}

int errorNumber(CURLcode e) {
    switch (e) {
        case CURLE_COULDNT_CONNECT:
            return kRefused;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return kUnknownHost;
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_PARTIAL_FILE:
        case CURLE_GOT_NOTHING:
            return kConnectionLost;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_SHUTDOWN_FAILED:
            return kSecureFailed;
        case CURLE_FILESIZE_EXCEEDED:
        case CURLE_OUT_OF_MEMORY:  // how libcurl refuses a header line over its cap
            return kTooLong;
        case CURLE_OPERATION_TIMEDOUT:
            return kTimedOut;
        default:
            return kOtherFailure;
    }
}

QString trustedForTests;  // a PEM file, or empty
}  // namespace

void setTrustedCertificatesForTests(const QString& pemFile) { trustedForTests = pemFile; }

HTTPSocket::HTTPSocket(QObject* parent) : QObject(parent) {}

HTTPSocket::~HTTPSocket() { Abort(); }

void HTTPSocket::Get(const QString& url) {
    Abort();
    exchange_ = std::make_unique<Exchange>();
    Exchange* x = exchange_.get();
    x->serial = ++serial_;
    x->limit = maximumLength;
    // Without libcurl (not installed, or too old) the exchange fails as a whole.
    if (const CurlLibrary* loaded = loadCurl()) {
        x->curl = *loaded;
        x->multi = x->curl.multi_init();
        x->easy = x->curl.easy_init();
    }
    if (!x->multi || !x->easy) {
        x->result = CURLE_FAILED_INIT;
        QMetaObject::invokeMethod(
            this, [this, serial = x->serial] { finished(serial); }, Qt::QueuedConnection);
        return;
    }
    const QByteArray address = QUrl(url).toEncoded();
    CURL* e = x->easy;
    const CurlLibrary& curl = x->curl;
    curl.easy_setopt(e, CURLOPT_URL, address.constData());
    curl.easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    // Redirects never lead to a less safe address (nor away from the web).
    curl.easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, address.startsWith("https:") ? "https" : "http,https");
    curl.easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl.easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
    curl.easy_setopt(e, CURLOPT_TIMEOUT_MS, long(timeLimit));
    curl.easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maximumLength));
    // Not "" (every coding libcurl knows): brotli and zstd would bring decoders of their own. The
    // codings asked for are unpacked here (takeBody), not by libcurl, which does not check that a
    // packed stream is whole; libcurl still undoes chunked framing.
    curl.easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl.easy_setopt(e, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    if (!trustedForTests.isEmpty())
        curl.easy_setopt(e, CURLOPT_CAINFO, QFile::encodeName(trustedForTests).constData());
    curl.easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl.easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);  // an abort does not wait for a slow name lookup
    curl.easy_setopt(e, CURLOPT_WRITEFUNCTION, takeBody);
    curl.easy_setopt(e, CURLOPT_WRITEDATA, x);
    curl.easy_setopt(e, CURLOPT_HEADERFUNCTION, takeHeader);
    curl.easy_setopt(e, CURLOPT_HEADERDATA, x);
    curl.easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl.easy_setopt(e, CURLOPT_XFERINFOFUNCTION, checkProgress);
    curl.easy_setopt(e, CURLOPT_XFERINFODATA, x);
    curl.easy_setopt(e, CURLOPT_PREREQFUNCTION, checkHop);
    curl.easy_setopt(e, CURLOPT_PREREQDATA, x);
    // The debug channel is the one place that sees chunk framing arrive: it counts, prints nothing.
    curl.easy_setopt(e, CURLOPT_DEBUGFUNCTION, countArrival);
    curl.easy_setopt(e, CURLOPT_DEBUGDATA, x);
    curl.easy_setopt(e, CURLOPT_VERBOSE, 1L);
    curl.multi_add_handle(x->multi, e);
    x->worker = std::thread([this, x] {
        run(x);
        if (!x->stop)
            QMetaObject::invokeMethod(
                this, [this, serial = x->serial] { finished(serial); }, Qt::QueuedConnection);
    });
}

void HTTPSocket::Abort() { exchange_.reset(); }

void HTTPSocket::finished(quint64 serial) {
    if (!exchange_ || exchange_->serial != serial) return;  // an exchange aborted after it had ended
    const std::unique_ptr<Exchange> x = std::move(exchange_);
    if (x->worker.joinable()) x->worker.join();
    long status = 0;
    long tunnel = 0;  // the proxy's answer to CONNECT, for an https address through one
    char* effective = nullptr;
    if (x->easy) {
        x->curl.easy_getinfo(x->easy, CURLINFO_RESPONSE_CODE, &status);
        x->curl.easy_getinfo(x->easy, CURLINFO_HTTP_CONNECTCODE, &tunnel);
        x->curl.easy_getinfo(x->easy, CURLINFO_EFFECTIVE_URL, &effective);
    }
    // libcurl fails a tunnel that the proxy refused as a failed receive: no connection lost mid-reply.
    const bool tunnelRefused = tunnel != 0 && (tunnel < 200 || tunnel > 299);
    if (x->tooLong) {
        Q_EMIT Error(kTooLong);
    } else if (x->outOfMemory || x->badCoding) {
        Q_EMIT Error(kOtherFailure);
    } else if (x->result != CURLE_OK) {
        Q_EMIT Error(tunnelRefused ? kOtherFailure : errorNumber(x->result));
    } else if (x->inflater.coding != detail::Inflater::kPlain && !x->inflater.ended) {
        Q_EMIT Error(kOtherFailure);  // a packed body that stopped short of its end
    } else {
        const QString url = QString::fromUtf8(effective);
        const QString content = QString::fromUtf8(std::exchange(x->body, {}));
        Q_EMIT PageReceived(url, int(status), x->headers, content);
    }
}

}  // namespace fw
