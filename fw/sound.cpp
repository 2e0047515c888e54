#include "fw/sound.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>

namespace fw {
namespace {
bool audioOn = true;

// The module's factory of sound effects (a QSoundEffect, played through its slots); null, after one
// line on stderr, when the module cannot be loaded: the game is then silent.
using MakeEffect = QObject* (*)(QObject* parent, const QUrl& source);
MakeEffect effectMaker() {
    static const MakeEffect make = [] {
        // Next to the program, and nowhere else: code is never loaded from a folder found relative to
        // the program, which anyone may be able to write.
        QLibrary module(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libzorviksound.so")));
        if (auto f = reinterpret_cast<MakeEffect>(module.resolve("zorvikSoundEffect"))) return f;
        qWarning("Zorvik!: no sound: %s", qPrintable(module.errorString()));
        return MakeEffect(nullptr);
    }();
    return make;
}
}  // namespace

Sound::Sound(const QString& name, const QUrl& source) : name_(name), source_(source) {}

void Sound::Play() {
    // The log keeps the most recent plays only, so that a long session does not grow it without end.
    constexpr qsizetype kLogLimit = 4096;
    QStringList& log = playedSounds();
    if (log.size() >= kLogLimit) log.remove(0, log.size() - kLogLimit / 2);
    log.append(name_);
    if (!audioOn) return;
    if (!effect_) {
        const MakeEffect make = effectMaker();
        if (!make) return;
        effect_ = make(this, source_);
    }
    QMetaObject::invokeMethod(effect_, "stop");
    QMetaObject::invokeMethod(effect_, "play");
}

void setAudioEnabled(bool on) { audioOn = on; }

QStringList& playedSounds() {
    static QStringList list;
    return list;
}

void Beep() {
    ++beepCount();
    if (audioOn) QApplication::beep();
}

int& beepCount() {
    static int n = 0;
    return n;
}

}  // namespace fw
