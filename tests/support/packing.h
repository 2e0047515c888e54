#pragma once
#include <zlib.h>

#include <QByteArray>

// Packed bodies for replies. Formats are zlib's window bits: 31 gzip, 15 zlib (HTTP's "deflate"),
// -15 raw deflate.
namespace packing {
constexpr int kGzip = 31, kZlib = 15, kRaw = -15;

namespace detail {
// Packs `in` into `out` (appended) with `flush`; the deflate stream must have room enough per call.
inline void step(z_stream& z, const char* in, qsizetype size, int flush, QByteArray& out) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in));
    z.avail_in = uInt(size);
    do {
        char buffer[1 << 16];
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        deflate(&z, flush);
        out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
    } while (z.avail_out == 0);
}
}  // namespace detail

inline QByteArray pack(int format, const QByteArray& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, format, 9, Z_DEFAULT_STRATEGY);
    QByteArray out;
    detail::step(z, data.constData(), data.size(), Z_FINISH, out);
    deflateEnd(&z);
    return out;
}

// `mebibytes` MiB of zeros, packed in milliseconds whatever the size (8 GiB: 8 MB): each MiB is
// packed on its own (a full flush starts afresh, on a byte boundary), so its packed form repeats.
inline QByteArray packedZeros(int format, qint64 mebibytes) {
    const QByteArray mebibyte(1 << 20, '\0');
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, format, 9, Z_DEFAULT_STRATEGY);
    QByteArray out, again;
    detail::step(z, mebibyte.constData(), mebibyte.size(), Z_FULL_FLUSH, out);  // the header too
    detail::step(z, mebibyte.constData(), mebibyte.size(), Z_FULL_FLUSH, again);
    for (qint64 i = 1; i < mebibytes; ++i) out += again;
    QByteArray end;
    detail::step(z, nullptr, 0, Z_FINISH, end);  // an empty last block, then the check of 2 MiB
    deflateEnd(&z);
    // The trailer counts every MiB: gzip's CRC-32 and length (little-endian), zlib's Adler-32 (big-endian).
    const auto* zeros = reinterpret_cast<const Bytef*>(mebibyte.constData());
    uLong crc = crc32(0, zeros, uInt(mebibyte.size())), adler = adler32(1, zeros, uInt(mebibyte.size()));
    const uLong crcOne = crc, adlerOne = adler;
    for (qint64 i = 1; i < mebibytes; ++i) {
        crc = crc32_combine(crc, crcOne, mebibyte.size());
        adler = adler32_combine(adler, adlerOne, mebibyte.size());
    }
    if (format == kGzip) {
        const quint32 length = quint32(mebibytes << 20);
        end.chop(8);
        for (int i = 0; i < 4; ++i) end += char(crc >> (8 * i));
        for (int i = 0; i < 4; ++i) end += char(length >> (8 * i));
    } else if (format == kZlib) {
        end.chop(4);
        for (int i = 3; i >= 0; --i) end += char(adler >> (8 * i));
    }
    return out + end;
}

// One chunk of chunked framing with its end.
inline QByteArray chunked(const QByteArray& data) {
    return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n0\r\n\r\n";
}
}  // namespace packing
