#include "base/resources.h"
#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/events.h"
#include "fw/text.h"
#include "shell/gamewindow.h"
#include "shell/playerlistwindow.h"

using namespace globalsModule;

namespace {
// Points a turn must total before it may be banked, and before a lost turn is announced.
constexpr int kBankFloor = 350;

playerClass* playerOnTurn() { return playerAt(gCurrentPlayer); }

QString nameOnTurn() {
    const playerClass* p = playerOnTurn();
    return p ? p->name : QString();
}
}  // namespace

void gameWindow::resetButtons() {
    saveAllButton->setEnabled(false);
    stopButton->setEnabled(false);
    rollButton->setEnabled(true);
    rollButton->setCaption(QStringLiteral("Roll"));
    firstRoll = true;
    gTurnScore = 0;
    rollNumber = 0;
}

void gameWindow::updateButtons() {
    if (!firstRoll) {
        rollButton->setCaption(QStringLiteral("Roll again"));
        rollButton->setEnabled(savedSomePoints > 0);
    }
    stopButton->setEnabled(gTurnScore + playingSurface->currentPointsSaved >= kBankFloor &&
                           savedSomePoints > 0);

    // Before the turn's first roll the dice on the table are the last turn's: none can be saved.
    saveAllButton->setEnabled(false);
    if (!firstRoll) {
        for (int i = 1; i <= 6; ++i) {
            if (!dice(i).save && dice(i).containsPoints) {
                saveAllButton->setEnabled(true);
                break;
            }
            fw::yieldToEventLoop();
        }
    }
    playerListWindow::get()->updateScores();
}

bool gameWindow::allSaved() {
    for (int i = 1; i <= 6; ++i) {
        if (!dice(i).save) return false;
        fw::yieldToEventLoop();
    }
    return true;
}

void gameWindow::writeSaveList() {
    if (rollButton->Caption() == QLatin1String("Roll")) {
        displayMessage(QString(), false);
        return;
    }
    QString text = nameOnTurn() + QStringLiteral(" saves ");
    for (int i = 1; i <= 6; ++i)
        if (dice(i).save) text += fw::Str(dice(i).face) + QStringLiteral(" ");
    displayMessage(text, false);
    displayMessage(QString(), false);
}

void gameWindow::rollButton_Action() {
    writeSaveList();
    gRollScore = 0;
    rollNumber += 1;
    decIndent();
    displayMessage(QStringLiteral("Roll number ") + fw::Str(rollNumber) + QStringLiteral(":"), true);
    incIndent();
    displayMessage(QStringLiteral("Score for this turn so far: ") +
                       fw::Str(gTurnScore + playingSurface->currentPointsSaved),
                   false);

    if (firstRoll || allSaved()) {
        playingSurface->freshRoll();
        firstRoll = false;
    } else {
        playingSurface->rollTheDice();
    }
    gRollScore = calcRollScore(true, false);
    updateButtons();
    if (gRollScore > 0) {
        playerListWindow::get()->updateScores();
        return;
    }

    displayMessage(QStringLiteral("Sorry, there are no points in this roll."), false);
    if (gTurnScore + playingSurface->currentPointsSaved >= kBankFloor) {
        displayMessage(nameOnTurn() + QStringLiteral(" ZORVIK!"), true);
        playSound(BOINK04);
    }
    displayMessage(nameOnTurn() + QStringLiteral("'s turn is over."), false);
    displayMessage(QString(), false);
    decIndent();
    nextPlayer();
}

void gameWindow::playingSurface_diceAddedToShelf(int i) {
    savedSomePoints += 1;
    playingSurface->currentPointsSaved += dice(i).score;
    updateButtons();
}

void gameWindow::playingSurface_diceRemovedFromShelf(int i) {
    savedSomePoints -= 1;
    playingSurface->currentPointsSaved -= dice(i).score;
    updateButtons();
}

void gameWindow::saveAllButton_Action() {
    playingSurface->saveAllPoints();
    updateButtons();
    saveAllButton->setEnabled(false);
}

void gameWindow::stopButton_Action() {
    writeSaveList();
    const int turnTotal = gTurnScore + playingSurface->currentPointsSaved;
    if (playerClass* p = playerOnTurn()) p->score += turnTotal;
    playerListWindow::get()->updateScores();
    displayMessage(
        nameOnTurn() + QStringLiteral(" scored ") + fw::Str(turnTotal) + QStringLiteral(" points!"), true);
    displayMessage(nameOnTurn() + QStringLiteral("'s turn is over."), false);
    decIndent();
    displayMessage(QString(), false);
    nextPlayer();
}

bool gameWindow::personMayAct() const {
    // Not while any handler of the game runs: input handled in one of its loop yields would
    // otherwise enter the turn's handlers a second time.
    if (!fw::personInputIdle()) return false;
    const playerClass* p = playerOnTurn();
    return p && p->human <= 0;
}

bool gameWindow::KeyDown(const QString& key) {
    // A disabled button ignores the press, so the keys follow the same turn rules as the buttons.
    if (!personMayAct()) return false;
    if (key == QLatin1String(" ")) saveAllButton->Push();
    if (key == QLatin1String(".") || key == QLatin1String(",") || key == QLatin1String("/"))
        stopButton->Push();
    return false;
}
