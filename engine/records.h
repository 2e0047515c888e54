#pragma once
#include <QString>

// The game's records. Fields are public and start at 0, False and empty.

// One die.
struct dieClass {
    int face = 0;                 // 1..6 once rolled, 0 before the first roll
    bool save = false;            // stands on the shelf
    int x = 0, y = 0;             // top-left corner of its 64 x 64 picture in table pixels
    bool containsPoints = false;  // in a scoring group of its last roll; kept on the shelf
    int link = 0;                 // scoring group of the last scoring, 0 = none
    bool savedThisTurn = false;   // the scorer can count only such dice; the game never marks one
    int score = 0;                // points of the die's whole group
    int oldX = 0, oldY = 0;       // roll-area place before the die went to the shelf
};

// One player.
struct playerClass {
    QString name;
    int human = 0;        // kind: index into gComputerList; 0 a person, 1..5 computer kinds
    int score = 0;        // banked in the current game
    bool active = false;  // takes part in the next game
};

// One shelf square of the dice table.
struct pointClass {
    int x = 0, y = 0;  // top-left corner in table pixels
    bool filled = false;
};
