// Placeholder until the new-game dialog lands.
#include "shell/gamesettingswindow.h"

void gameSettingsWindow::loadValues() {}
void gameSettingsWindow::buildPlayerLists() {}
bool gameSettingsWindow::enoughPlayers() { return false; }
void gameSettingsWindow::choosePopup(QComboBox*, const QString&) {}
void gameSettingsWindow::createControls() {}
void gameSettingsWindow::Open() {}
