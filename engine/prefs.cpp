#include "fw/prefs.h"

#include <QDir>
#include <algorithm>

#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/dialogs.h"
#include "fw/text.h"

// "Zorvik Prefs": one value per line. The roster count M, then per player its flag ("true" or
// "false"), its kind and its name, then the round length. A roster of a ticked person P1 and an
// unticked "CPU: Clever" P2 with round length 5000 reads: 2, true, 0, P1, false, 2, P2, 5000.
namespace globalsModule {
namespace {
const QString kFileName = QStringLiteral("Zorvik Prefs");

QString prefsPath() {
    const QString folder = fw::PreferencesFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(kFileName);
}

// A name is one line of the file: a line end inside it becomes a blank.
QString oneLine(QString name) {
    name.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return name;
}

int kindFrom(const QString& line) {
    const int kind = fw::ValInt(line);
    return kind >= 0 && kind <= 5 ? kind : 0;
}
}  // namespace

void savePrefs() {
    const QString path = prefsPath();
    if (path.isEmpty()) return;
    const int count = gCompletePlayerList.ubound();
    QStringList lines;
    lines << fw::Str(count);
    for (int i = 1; i <= count; ++i) {
        const auto& p = gCompletePlayerList[i];
        lines << (p && p->active ? QStringLiteral("true") : QStringLiteral("false"));
        lines << fw::Str(p ? p->human : 0);
        lines << (p ? oneLine(p->name) : QString());
        fw::yieldToEventLoop();
    }
    lines << fw::Format(gRoundSize, QStringLiteral("######"));
    QString why;
    if (fw::writeLinesAtomically(path, lines, &why)) return;
    // Told once per save, and the game goes on: the old file stays as it was.
    fw::MessageDialog box;
    box.Icon = fw::DialogIcon::Caution;
    box.Message = QStringLiteral("Your players could not be saved.");
    box.Explanation = QStringLiteral(
                          "The file \"%1\" could not be written: %2. The game goes on, but these "
                          "players and this round length will be missing at the next start.")
                          .arg(QDir::toNativeSeparators(path), why);
    box.ShowModal();
}

void loadPrefs() {
    const QString path = prefsPath();
    if (path.isEmpty()) return;
    auto stream = fw::TextInputStream::open(path);
    if (!stream) return;
    // A damaged count may promise far more players than the file holds. The smallest player
    // written is 8 bytes ("true", "0" and an empty name, each with its line end), so no sound file
    // holds more than size / 8 of them; the roster's memory stays bounded by the file's size.
    const int count = int(std::min<qint64>(fw::ValInt(stream->ReadLine()), stream->size() / 8));
    for (int i = 1; i <= count && !stream->EOF_(); ++i) {
        gCompletePlayerList.redim(i);
        auto p = std::make_shared<playerClass>();
        p->active = returnBValue(stream->ReadLine());
        p->human = kindFrom(stream->ReadLine());
        p->name = stream->ReadLine();
        gCompletePlayerList.put(i, p);
        fw::yieldToEventLoop();
    }
    gRoundSize = fw::ValInt(stream->ReadLine());
}

bool returnBValue(const QString& s) { return fw::Uppercase(fw::Left(s, 1)) == QStringLiteral("T"); }

}  // namespace globalsModule
