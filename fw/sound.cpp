#include "fw/sound.h"

#include <QApplication>
#include <QSoundEffect>

namespace fw {
namespace {
bool audioOn = true;
}

Sound::Sound(const QString& name, const QUrl& source) : name_(name), source_(source) {}

void Sound::Play() {
    // The log keeps the most recent plays only, so that a long session does not grow it without end.
    constexpr qsizetype kLogLimit = 4096;
    QStringList& log = playedSounds();
    if (log.size() >= kLogLimit) log.remove(0, log.size() - kLogLimit / 2);
    log.append(name_);
    if (!audioOn) return;
    if (!effect_) {
        effect_ = new QSoundEffect(this);
        effect_->setSource(source_);
    }
    effect_->stop();
    effect_->play();
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
