#include "fw/prefs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace fw {
namespace {
QString& overrideFolder() {
    static QString s;
    return s;
}
}  // namespace

QString PreferencesFolder() {
    QString path = overrideFolder();
    if (path.isEmpty()) path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!path.isEmpty()) QDir().mkpath(path);
    return path;
}

void setPreferencesFolder(const QString& path) { overrideFolder() = path; }

bool writeLinesAtomically(const QString& path, const QStringList& lines, QString* error) {
    QSaveFile file(path);
    // A failed write or flush leaves the system's reason in errno; Qt's text then says only
    // "Unknown error".
    const auto fail = [&](bool systemReason) {
        const int code = errno;
        if (error)
            *error = systemReason && code ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) return fail(false);
    for (const QString& line : lines) {
        const QByteArray bytes = line.toUtf8() + '\n';
        errno = 0;
        if (file.write(bytes) != bytes.size()) return fail(true);
    }
    // Writes are buffered: a full disk shows only when the buffer goes out, and commit() would
    // not notice it there.
    errno = 0;
    if (!file.flush()) return fail(true);
    if (file.commit()) return true;
    if (error) *error = file.errorString();
    return false;
}

std::unique_ptr<TextInputStream> TextInputStream::open(const QString& path) {
    // Opened without waiting and tested on the open file itself: a FIFO put in the file's place
    // between a test and the open could block start-up again.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto stream = std::unique_ptr<TextInputStream>(new TextInputStream);
    if (!stream->file_.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return stream;
}

QString TextInputStream::ReadLine() {
    if (file_.atEnd()) return QString();
    // The whole line, however long: a regular file's size bounds it.
    QByteArray line = file_.readLine();
    if (line.endsWith('\n')) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    return QString::fromUtf8(line);
}

bool TextInputStream::EOF_() const { return file_.atEnd(); }

}  // namespace fw
