#include "base/resources.h"
#include "engine/board.h"
#include "engine/globals.h"
#include "fw/dialogs.h"
#include "fw/sound.h"

using globalsModule::dice;

void boardClass::MouseUp(int x, int y) {
    const int i = withinPoint(x, y);
    if (i == 0) return;
    const dieClass& d = dice(i);
    if (d.containsPoints && !d.save) {
        moveThisDie(i, true);
    } else if (d.save) {
        moveThisDie(i, false);
    } else {
        fw::Beep();
        fw::MsgBox(QStringLiteral("You may only move dice that contain points."));
    }
}

// Moves die i's scoring group of the last roll. A die without a group (link 0: set aside in an
// earlier roll of the turn, or scoring nothing) moves nowhere, so the shelf and the turn's
// points stay whole.
void boardClass::moveThisDie(int i, bool toShelf) {
    const dieClass& clicked = dice(i);
    if (clicked.link == 0 || clicked.save == toShelf) return;
    QList<int> group;
    playSound(CLICK);
    for (int j = 1; j <= 6; ++j)
        if (dice(j).link == clicked.link && dice(j).save == clicked.save) group.append(j);
    if (toShelf) {
        moveToEmptySquare(group);
        update();
        if (diceAddedToShelf) diceAddedToShelf(i);
    } else {
        restoreDie(group);
        update();
        if (diceRemovedFromShelf) diceRemovedFromShelf(i);
    }
}

void boardClass::saveAllPoints() {
    for (int i = 1; i <= 6; ++i)
        if (!dice(i).save && dice(i).containsPoints) moveThisDie(i, true);
}

void boardClass::moveToEmptySquare(const QList<int>& group) {
    for (int n : group) {
        int sx = 0, sy = 0;
        findEmptySquare(sx, sy);
        dieClass& d = dice(n);
        d.oldX = d.x;
        d.oldY = d.y;
        d.x = sx;
        d.y = sy;
        d.save = true;
        markSquare(sx, sy, true);
    }
}

void boardClass::restoreDie(const QList<int>& group) {
    for (int n : group) {
        dieClass& d = dice(n);
        const int sx = d.x, sy = d.y;
        d.x = d.oldX;
        d.y = d.oldY;
        d.save = false;
        markSquare(sx, sy, false);
    }
}

void boardClass::findEmptySquare(int& x, int& y) {
    for (int k = 1; k <= 8; ++k) {
        const pointClass& square = savedPoints(k);
        if (!square.filled) {
            x = square.x;
            y = square.y;
            return;
        }
    }
}

void boardClass::emptySquares() {
    for (int k = 1; k <= 8; ++k) savedPoints(k).filled = false;
}

void boardClass::markSquare(int x, int y, bool filled) {
    for (int k = 1; k <= 8; ++k) {
        pointClass& square = savedPoints(k);
        if (square.x == x && square.y == y) square.filled = filled;
    }
}
