#include "base/resources.h"

#include <array>

#include "fw/resourcefork.h"

void initResources() {
    static const bool once = [] {
        Q_INIT_RESOURCE(zorvik);
        return true;
    }();
    Q_UNUSED(once);
}

namespace {
constexpr int kFirst = 168;  // pictures 168..176, sounds 168..172

struct Kept {
    std::array<std::shared_ptr<QPixmap>, 9> pictures;
    std::array<std::shared_ptr<fw::Sound>, 5> sounds;
    bool manualLoaded = false;
    QString manual;
};
Kept& kept() {
    static Kept k;
    return k;
}

// Kept from the first load that gives an object; a load that gives nothing is tried again.
std::shared_ptr<QPixmap> picture(int number) {
    initResources();
    auto& slot = kept().pictures.at(size_t(number - kFirst));
    if (!slot) slot = fw::ResourceFork::GetPicture(number);
    return slot;
}
}  // namespace

std::shared_ptr<fw::Sound> GameSound::operator()() const {
    initResources();
    auto& slot = kept().sounds.at(size_t(number - kFirst));
    if (!slot) slot = fw::ResourceFork::GetSound(number, QString::fromLatin1(name));
    return slot;
}

std::shared_ptr<QPixmap> die1() { return picture(168); }
std::shared_ptr<QPixmap> die2() { return picture(169); }
std::shared_ptr<QPixmap> die3() { return picture(170); }
std::shared_ptr<QPixmap> die4() { return picture(171); }
std::shared_ptr<QPixmap> die5() { return picture(172); }
std::shared_ptr<QPixmap> die6() { return picture(173); }
std::shared_ptr<QPixmap> zorvikaboutbox() { return picture(174); }
std::shared_ptr<QPixmap> zorvikbackground() { return picture(175); }
std::shared_ptr<QPixmap> diemask() { return picture(176); }

// Asked for once per run, even when the store gives nothing.
QString zorvikmanual() {
    initResources();
    Kept& k = kept();
    if (!k.manualLoaded) {
        k.manual = QString::fromUtf8(fw::ResourceFork::GetResource(QStringLiteral("TEXT"), 168));
        k.manualLoaded = true;
    }
    return k.manual;
}

std::shared_ptr<QCursor> fingerCursor() {
    initResources();
    return fw::ResourceFork::getCursor(168);
}
std::shared_ptr<QCursor> moveColumnCursor() {
    initResources();
    return fw::ResourceFork::getCursor(169);
}

void playSound(const GameSound& sound) {
    if (const auto s = sound())
        s->Play();
    else
        fw::playedSounds().append(QString::fromLatin1(sound.name));
}

void forgetKeptResources() { kept() = Kept(); }
