// Placeholder until the turn controller lands.
#include "shell/gamewindow.h"

void gameWindow::rollButton_Action() {}
void gameWindow::playingSurface_diceRemovedFromShelf(int) {}
void gameWindow::playingSurface_diceAddedToShelf(int) {}
void gameWindow::saveAllButton_Action() {}
void gameWindow::stopButton_Action() {}
void gameWindow::resetButtons() {}
void gameWindow::updateButtons() {}
bool gameWindow::allSaved() { return false; }
void gameWindow::writeSaveList() {}
bool gameWindow::personMayAct() const { return true; }
bool gameWindow::KeyDown(const QString&) { return false; }
