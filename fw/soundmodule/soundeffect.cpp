// Qt Multimedia, with the audio client libraries it brings, is loaded by the first sound played
// (fw/sound.cpp), not by every start.
#include <QSoundEffect>

extern "C" Q_DECL_EXPORT QObject* zorvikSoundEffect(QObject* parent, const QUrl& source) {
    auto* effect = new QSoundEffect(parent);
    effect->setSource(source);
    return effect;
}
