// Placeholder until the turn engine lands.
#include "engine/globals.h"

namespace globalsModule {
void startNewGame() {}
int pickFirstPlayer() { return 1; }
void nextPlayer() {}
bool isGameOver() { return false; }
void displayWinner() {}
void computerPlays() {}
void think() {}
int numberOfDiceLeft() { return 0; }
}  // namespace globalsModule
