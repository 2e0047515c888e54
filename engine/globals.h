#pragma once
#include <QString>
#include <QStringList>

#include "engine/records.h"
#include "fw/list.h"

// The game's module state and its operations.
namespace globalsModule {

extern fw::ObjList<dieClass> dice;                    // 1..6
extern fw::ObjList<playerClass> gPlayerList;          // players of the game, 1..N in turn order
extern fw::ObjList<playerClass> gCompletePlayerList;  // every known player, 1..M
extern fw::List<QString> gComputerList;               // kind names, 0..5

extern int gRollScore;
extern int gTurnScore;
extern int gCurrentPlayer;
extern int gTurnNumber;
extern int gFirstPlayer;
extern int gIndentLevel;
extern int gRoundSize;

// Start-up: creates the module arrays (dice 6, both player lists 0, kinds 5) with empty elements
// and zeroes the numbers.
void createArrays();

void init();
void initComputerList();  // fills gComputerList from kindNames
// The names of the player kinds, by kind: 0 a person, 1..5 the computer kinds.
const QStringList& kindNames();

// The player at i of gPlayerList, or null when i names none (the lists changed meanwhile).
playerClass* playerAt(int i);

// Scoring (scoring.cpp)
int calcRollScore(bool display, bool selectedOnly);
QString numWord(int n);

// The game history (history.cpp)
void displayMessage(const QString& text, bool bold);
QString repeatChar(const QString& s, int n);
void incIndent();
void decIndent();

// The turn engine (turns.cpp)
void startNewGame();
int pickFirstPlayer();
void nextPlayer();
bool isGameOver();
void displayWinner();

// Computer players (computer.cpp)
void computerPlays();
void think();
int numberOfDiceLeft();

// The preferences file (prefs.cpp)
void savePrefs();
void loadPrefs();
bool returnBValue(const QString& s);

}  // namespace globalsModule
