#pragma once
#include <QByteArray>
#include <QCursor>
#include <QPixmap>
#include <QString>
#include <memory>

#include "fw/sound.h"

// The game's pictures, sounds, manual and cursors from the resource store. Pictures and sounds
// are kept from the first load that gives one; the manual is asked for once; cursors are loaded
// at every call.
std::shared_ptr<QPixmap> die1();
std::shared_ptr<QPixmap> die2();
std::shared_ptr<QPixmap> die3();
std::shared_ptr<QPixmap> die4();
std::shared_ptr<QPixmap> die5();
std::shared_ptr<QPixmap> die6();
std::shared_ptr<QPixmap> zorvikaboutbox();
std::shared_ptr<QPixmap> zorvikbackground();
std::shared_ptr<QPixmap> diemask();

// A sound of the store with the name the log of played sounds knows it by: DiceShake() gives it.
struct GameSound {
    int number;
    const char* name;
    std::shared_ptr<fw::Sound> operator()() const;
};
inline constexpr GameSound DiceShake{168, "DiceShake"};
inline constexpr GameSound BOINK04{169, "BOINK04"};
inline constexpr GameSound THEATREAPPLAUSE{170, "THEATREAPPLAUSE"};
inline constexpr GameSound WHISTLEAPPRECIATIVE{171, "WHISTLEAPPRECIATIVE"};
inline constexpr GameSound CLICK{172, "CLICK"};

QString zorvikmanual();

// Registers the compiled-in store (":/picture/168.png" and the rest). The accessors here call it;
// the program and the test programs call it at start, before anything reads ":/" directly.
void initResources();

std::shared_ptr<QCursor> fingerCursor();
std::shared_ptr<QCursor> moveColumnCursor();

// Plays a sound of the store; a sound the store lacks is skipped (it is still logged).
void playSound(const GameSound& sound);

// Drops every kept picture and sound and the manual, as at start. The program's end calls it while
// the application object exists; tests call it to begin anew.
void forgetKeptResources();
