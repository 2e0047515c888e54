#include "fw/prefs.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

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

bool writeLinesAtomically(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const QString& line : lines) {
        const QByteArray bytes = line.toUtf8() + '\n';
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
    }
    // Writes are buffered: a full disk shows only when the buffer goes out, and commit() would
    // not notice it there.
    if (!file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::unique_ptr<TextInputStream> TextInputStream::open(const QString& path) {
    auto stream = std::unique_ptr<TextInputStream>(new TextInputStream);
    stream->file_.setFileName(path);
    if (!stream->file_.open(QIODevice::ReadOnly)) return nullptr;
    return stream;
}

QString TextInputStream::ReadLine() {
    if (file_.atEnd()) return QString();
    // One line at most 64 KiB: a file without line ends cannot take unbounded memory.
    // Longer lines are cut there and their rest skipped.
    QByteArray line = file_.readLine(64 * 1024);
    if (line.endsWith('\n')) {
        line.chop(1);
    } else {
        while (!file_.atEnd() && !file_.readLine(64 * 1024).endsWith('\n')) {
        }
    }
    if (line.endsWith('\r')) line.chop(1);
    return QString::fromUtf8(line);
}

bool TextInputStream::EOF_() const { return file_.atEnd(); }

}  // namespace fw
