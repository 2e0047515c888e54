#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/window.h"
#include "shell/gamewindow.h"

namespace globalsModule {
namespace {

// The rule a kind plays by: kinds 1, 2 and 3 by their own rule, 4 and 5 by rule 1; 0 for none.
int ruleOf(int kind) {
    switch (kind) {
        case 1:
        case 4:
        case 5:
            return 1;
        case 2:
        case 3:
            return kind;
        default:
            return 0;
    }
}

int kindOnTurn() {
    const playerClass* p = playerAt(gCurrentPlayer);
    return p ? p->human : 0;
}

bool shouldBank(int rule) {
    if (!gameWindow::get()->stopButton->isEnabled()) return false;
    const int left = numberOfDiceLeft();
    switch (rule) {
        case 2:
            return left != 0;
        case 3:
            return left == 1 || left == 2;
        default:
            return true;
    }
}

}  // namespace

void computerPlays() {
    // The turn was handed over from the event loop: the game may have ended, or a new game with
    // a person on turn may have begun, since then.
    const gameWindow* open = fw::Window::ifOpen<gameWindow>();
    if (!open || !open->isVisible() || kindOnTurn() <= 0) return;

    gameWindow::get()->rollButton->Push();
    think();
    const int rule = ruleOf(kindOnTurn());
    if (rule == 0) return;

    for (;;) {
        if (!gameWindow::get()->saveAllButton->isEnabled()) return;
        gameWindow::get()->saveAllButton->Push();
        if (shouldBank(rule)) {
            gameWindow::get()->stopButton->Push();
            think();
            return;
        }
        gameWindow::get()->rollButton->Push();
        think();
        fw::yieldToEventLoop();
    }
}

// The computer's pause for thought after each roll and bank: it plays at once, so nothing.
void think() {}

int numberOfDiceLeft() {
    int count = 0;
    for (int i = 1; i <= 6; ++i)
        if (!dice(i).save) ++count;
    return count;
}

}  // namespace globalsModule
