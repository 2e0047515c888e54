#include <QScopeGuard>
#include <algorithm>

#include "base/resources.h"
#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/events.h"
#include "fw/random.h"
#include "shell/gamewindow.h"

using globalsModule::dice;

void boardClass::rollTheDice() {
    fw::HandlerScope scope;  // a roll started by code, too: a person's input in its yields is dropped
    const bool wasRolling = std::exchange(rolling_, true);
    const auto restore = qScopeGuard([this, wasRolling] { rolling_ = wasRolling; });

    gameWindow::get()->savedSomePoints = 0;
    playSound(DiceShake);

    // Placement: each die keeps clear of the dice with lower numbers.
    for (int i = 1; i <= 6; ++i) {
        dieClass& d = dice(i);
        if (d.save) continue;
        d.containsPoints = false;
        d.face = randomSix();
        int x = 0, y = 0;
        int tries = 0;
        do {
            randomLocation(x, y);
            fw::yieldToEventLoop();
            // A free place always exists; should the random source keep missing it, take the first.
            if (++tries > 10000) firstFreePlace(i - 1, x, y);
        } while (!isOkay(i - 1, x, y));
        d.x = x;
        d.y = y;
    }
    update();

    // Four frames: each die shows a new face and drifts up to k pixels left or up.
    for (int k = 4; k >= 1; --k) {
        for (int i = 1; i <= 6; ++i) {
            dieClass& d = dice(i);
            if (d.save) continue;
            d.face = randomSix();
            if (k == 1 && !forcedFaces().empty()) {
                d.face = forcedFaces().front();
                forcedFaces().pop_front();
            }
            int x = d.x, y = d.y;
            int tries = 0;
            bool accepted = false;
            bool stopped = false;
            do {
                if (fw::Rnd() > 0.5)
                    x -= fw::Round(fw::Rnd() * k);
                else
                    y -= fw::Round(fw::Rnd() * k);
                accepted = isOkay(i - 1, x, y);
                if (!accepted) {
                    x = d.x;
                    y = d.y;
                }
                stopped = ++tries > 20;
                fw::yieldToEventLoop();
            } while (!accepted && !stopped);
            d.x = x;
            d.y = y;
            refreshDie(x, y);
            delay(1);
        }
    }
}

void boardClass::freshRoll() {
    for (int i = 1; i <= 6; ++i) {
        dieClass& d = dice(i);
        d.save = false;
        d.containsPoints = false;
        d.link = 0;
        d.score = 0;
    }
    emptySquares();
    rollTheDice();
}

void boardClass::randomLocation(int& x, int& y) {
    x = fw::toInt32(fw::Rnd() * 305 + 210);
    y = fw::toInt32(fw::Rnd() * 300 + 10);
}

// A fair die: each face with chance 1/6.
int boardClass::randomSix() { return std::clamp(fw::toInt32(fw::Rnd() * 6) + 1, 1, 6); }

bool boardClass::isOkay(int n, int x, int y) {
    if (x < 210 || x > 500 || y < 10 || y > 310) return false;
    for (int j = 1; j <= n; ++j) {
        const dieClass& d = dice(j);
        const bool inside = checkPoint(x, y, d.x, d.y) || checkPoint(x, y + 65, d.x, d.y) ||
                            checkPoint(x + 65, y, d.x, d.y) || checkPoint(x + 65, y + 65, d.x, d.y);
        fw::yieldToEventLoop();
        if (inside) return false;
    }
    return true;
}

void boardClass::firstFreePlace(int n, int& x, int& y) {
    for (int cy = 10; cy <= 310; ++cy)
        for (int cx = 210; cx <= 500; ++cx)
            if (isOkay(n, cx, cy)) {
                x = cx;
                y = cy;
                return;
            }
}

bool boardClass::checkPoint(int px, int py, int dx, int dy) {
    return dx - 8 < px && px < dx + 72 && dy - 8 < py && py < dy + 72;
}

void boardClass::delay(int ticks) {
    if (ticks <= 0) return;
    fw::waitUntilTicks(fw::Ticks(), ticks);
}
