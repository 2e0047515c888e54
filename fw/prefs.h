#pragma once
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>

// The user's preferences folder and line-by-line text files.
namespace fw {

// The user's configuration folder (XDG), created when missing; tests give a folder of their own.
QString PreferencesFolder();
void setPreferencesFolder(const QString& path);  // empty: back to the user's folder

// Replaces the file at `path` with the lines, each ended by "\n", all at once: the old file stays
// whole until the new one is complete. Returns false, leaving the old file, when it cannot; then
// `error` (when given) says why, e.g. "No space left on device".
bool writeLinesAtomically(const QString& path, const QStringList& lines, QString* error = nullptr);

// Reads a text file a line at a time, each line whole (as long as the file holds it); past the end
// every line is empty. Only a regular file opens: a FIFO, a device or a folder gives no stream, as
// reading one could wait for ever or never end.
class TextInputStream {
  public:
    static std::unique_ptr<TextInputStream> open(const QString& path);  // null when it cannot
    QString ReadLine();
    bool EOF_() const;
    qint64 size() const { return file_.size(); }  // of the whole file, in bytes

  private:
    QFile file_;
};

}  // namespace fw
