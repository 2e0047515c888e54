#include "shell/resources.h"

#include "fw/resourcefork.h"

namespace {
// Kept from the first load that gives an object; a load that gives nothing is tried again.
std::shared_ptr<QPixmap> picture(std::shared_ptr<QPixmap>& kept, int number) {
    if (!kept) kept = fw::ResourceFork::GetPicture(number);
    return kept;
}
std::shared_ptr<fw::Sound> sound(std::shared_ptr<fw::Sound>& kept, int number, const char* name) {
    if (!kept) kept = fw::ResourceFork::GetSound(number, QString::fromLatin1(name));
    return kept;
}
}  // namespace

#define PICTURE(name, number)                 \
    std::shared_ptr<QPixmap> name() {         \
        static std::shared_ptr<QPixmap> kept; \
        return picture(kept, number);         \
    }
#define SOUND(name, number)                      \
    std::shared_ptr<fw::Sound> name() {          \
        static std::shared_ptr<fw::Sound> kept;  \
        return sound(kept, number, #name);       \
    }

PICTURE(die1, 168)
PICTURE(die2, 169)
PICTURE(die3, 170)
PICTURE(die4, 171)
PICTURE(die5, 172)
PICTURE(die6, 173)
PICTURE(zorvikaboutbox, 174)
PICTURE(zorvikbackground, 175)
PICTURE(diemask, 176)

SOUND(DiceShake, 168)
SOUND(BOINK04, 169)
SOUND(THEATREAPPLAUSE, 170)
SOUND(WHISTLEAPPRECIATIVE, 171)
SOUND(CLICK, 172)

QString zorvikmanual() {
    static bool loaded = false;
    static QString text;
    if (!loaded) {
        text = QString::fromUtf8(fw::ResourceFork::GetResource(QStringLiteral("TEXT"), 168));
        loaded = true;
    }
    return text;
}

std::shared_ptr<QCursor> fingerCursor() { return fw::ResourceFork::getCursor(168); }
std::shared_ptr<QCursor> moveColumnCursor() { return fw::ResourceFork::getCursor(169); }

void playSound(const std::shared_ptr<fw::Sound>& s, const QString& name) {
    if (s)
        s->Play();
    else
        fw::playedSounds().append(name);
}
