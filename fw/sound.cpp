#include "fw/sound.h"

#include <QApplication>
#include <QSoundEffect>

namespace fw {
namespace {
bool audioOn = true;
}

Sound::Sound(const QString& name, const QUrl& source) : name_(name), source_(source) {}

void Sound::Play() {
    playedSounds().append(name_);
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
