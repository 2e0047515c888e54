#pragma once
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

// The shared objects a process has mapped, read from /proc/<process>/maps: file names
// ("libcurl.so.4.8.0"), each once, sorted.
inline QStringList mappedLibraries(const QString& process = QStringLiteral("self")) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(process));
    QStringList names;
    if (!maps.open(QIODevice::ReadOnly)) return names;
    static const QRegularExpression sharedObject(QStringLiteral("\\.so(\\.[0-9.]+)?$"));
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line.mid(line.lastIndexOf('/') + 1));
        if (line.contains('/') && sharedObject.match(name).hasMatch() && !names.contains(name)) names << name;
    }
    names.sort();
    return names;
}

// Those of the network stack: libcurl and what it brings (TLS, Kerberos, LDAP, SASL, SSH, ...), and
// Qt Network with its proxy library.
inline QStringList networkLibraries(const QStringList& libraries) {
    static const QRegularExpression network(QStringLiteral(
        "^lib(curl|ssl|crypto|gnutls|nettle|hogweed|tasn1|p11-kit|idn2|psl|nghttp2|rtmp|ssh2?|ldap|lber|"
        "sasl2|gssapi|krb5(support)?|k5crypto|com_err|keyutils|proxy|Qt6Network)[._-]"));
    return libraries.filter(network);
}
