#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace fw {

// A sound of the game. Play() starts it without waiting. Every play is written to a log that
// tests read; real output is made only while audio is on (tests turn it off).
class Sound : public QObject {
    Q_OBJECT
  public:
    Sound(const QString& name, const QUrl& source);
    void Play();
    QString name() const { return name_; }

  private:
    QString name_;
    QUrl source_;
    QObject* effect_ = nullptr;  // a QSoundEffect, made by the sound module
};

void setAudioEnabled(bool on);
QStringList& playedSounds();  // names of the sounds played, oldest first (the last few thousand)

void Beep();
int& beepCount();

}  // namespace fw
