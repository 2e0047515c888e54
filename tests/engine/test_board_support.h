#pragma once
#include <QStringList>
#include <QTest>
#include <initializer_list>

#include "engine/board.h"
#include "engine/globals.h"
#include "fw/sound.h"
#include "shell/gamewindow.h"
#include "tests/support/testsupport.h"

// The dice table on a shown main window, in the middle of a person's turn, with its shelf
// events written to a log ("added 2", "removed 3").
namespace boardtest {

inline boardClass* table() { return gameWindow::get()->playingSurface; }

inline QStringList& events() {
    static QStringList log;
    return log;
}

// One person on turn, the turn's first roll made: the state in which clicks on dice count.
inline void startTurn() {
    using namespace globalsModule;
    gPlayerList = fw::ObjList<playerClass>(1);
    auto ann = std::make_shared<playerClass>();
    ann->name = QStringLiteral("Ann");
    ann->active = true;
    gPlayerList.put(1, ann);
    gCurrentPlayer = 1;
    gameWindow* w = gameWindow::get();
    w->Show();
    w->firstRoll = false;
    events().clear();
    boardClass* board = w->playingSurface;
    auto added = board->diceAddedToShelf;
    auto removed = board->diceRemovedFromShelf;
    board->diceAddedToShelf = [added](int i) {
        events() << QStringLiteral("added %1").arg(i);
        if (added) added(i);
    };
    board->diceRemovedFromShelf = [removed](int i) {
        events() << QStringLiteral("removed %1").arg(i);
        if (removed) removed(i);
    };
}

// Dice 1..6 lie in the roll area showing `faces`, scored as after a roll.
inline void scoreFaces(std::initializer_list<int> faces) {
    testing::setFaces(faces);
    globalsModule::calcRollScore(false, false);
}

inline QPoint centreOf(int die) {
    const dieClass& d = globalsModule::dice(die);
    return boardClass::dieRect(d.x, d.y).center();
}

inline void click(const QPoint& p) { QTest::mouseClick(table(), Qt::LeftButton, {}, p); }
inline void clickDie(int die) { click(centreOf(die)); }

inline QPoint place(int die) {
    const dieClass& d = globalsModule::dice(die);
    return {d.x, d.y};
}

// Top-left corner of shelf square k: squares 1-4 down the left column, 5-8 down the right.
inline QPoint square(int k) { return {k <= 4 ? 24 : 112, 25 + 89 * ((k - 1) % 4)}; }

inline QList<int> filledSquares() {
    QList<int> filled;
    for (int k = 1; k <= 8; ++k)
        if (table()->savedPoints(k).filled) filled << k;
    return filled;
}

inline int played(const QString& sound) { return int(fw::playedSounds().count(sound)); }

}  // namespace boardtest
