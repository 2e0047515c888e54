#include <QTextEdit>
#include <algorithm>

#include "base/resources.h"
#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/dialogs.h"
#include "fw/events.h"
#include "fw/random.h"
#include "fw/text.h"
#include "shell/gamesettingswindow.h"
#include "shell/gamewindow.h"
#include "shell/playerlistwindow.h"

namespace globalsModule {
namespace {

// Raised at every turn start. A computer turn waits for the event loop, and by then a new game
// may have begun: the deferred call plays only the turn it was made for.
int turnSerial = 0;

void handTurnToComputer() {
    const int serial = turnSerial;
    fw::runWhenIdle([serial] {
        if (serial == turnSerial) computerPlays();
    });
}

QString nameOf(int i) {
    const playerClass* p = playerAt(i);
    return p ? p->name : QString();
}

bool isComputer(int i) {
    const playerClass* p = playerAt(i);
    return p && p->human > 0;
}

// Nothing set aside: with resetButtons, the state every turn begins in, whatever the turn or game
// before it left in the main window.
void startTurnState() {
    ++turnSerial;
    gameWindow* w = gameWindow::get();
    w->savedSomePoints = 0;
    w->playingSurface->currentPointsSaved = 0;
}

}  // namespace

void startNewGame() {
    if (auto* dialog = fw::Window::ifOpen<gameSettingsWindow>()) dialog->Close();
    // The dice table comes up last, so that it has the keyboard: Return rolls at once.
    playerListWindow::get()->Show();
    gameWindow::get()->Show();
    gTurnNumber = 1;
    gCurrentPlayer = pickFirstPlayer();
    gFirstPlayer = gCurrentPlayer;
    playerListWindow::get()->status->clear();

    displayMessage(QStringLiteral("Starting a brand new game..."), false);
    displayMessage(QString(), false);
    displayMessage(QStringLiteral("-"), false);
    displayMessage(QStringLiteral("Turn number ") + fw::Str(gTurnNumber) + QStringLiteral(":"), true);
    displayMessage(QStringLiteral("It is ") + nameOf(gCurrentPlayer) + QStringLiteral("'s turn."), true);

    startTurnState();
    gameWindow::get()->resetButtons();
    gameWindow::get()->updateButtons();
    if (isComputer(gCurrentPlayer)) handTurnToComputer();
}

int pickFirstPlayer() {
    // Uniform over 1..N: Rnd is below 1, so the product made an Int32 lies in 0..N-1.
    const int n = gPlayerList.ubound();
    return std::clamp(fw::toInt32(fw::Rnd() * n) + 1, 1, std::max(n, 1));
}

void nextPlayer() {
    const int n = gPlayerList.ubound();
    gCurrentPlayer += 1;
    if (gCurrentPlayer > n) gCurrentPlayer = 1;
    // The lists were rebuilt under the game: the round now turns over where the list wraps.
    if (gFirstPlayer < 1 || gFirstPlayer > n) gFirstPlayer = 1;

    if (gCurrentPlayer == gFirstPlayer) {
        gTurnNumber += 1;
        if (isGameOver()) {
            decIndent();
            for (int i = 0; i < 3; ++i) displayMessage(QStringLiteral("-"), false);
            displayMessage(QStringLiteral("Game is Over!"), true);
            displayWinner();
            return;
        }
    }

    startTurnState();
    decIndent();
    displayMessage(QStringLiteral("-"), false);
    displayMessage(
        fw::EndOfLine + QStringLiteral("Turn number ") + fw::Str(gTurnNumber) + QStringLiteral(":"), true);
    displayMessage(QStringLiteral("It is ") + nameOf(gCurrentPlayer) + QStringLiteral("'s turn."), true);
    incIndent();
    gameWindow::get()->resetButtons();
    if (isComputer(gCurrentPlayer)) handTurnToComputer();
}

bool isGameOver() {
    bool over = false;
    for (int i = 1; i <= gPlayerList.ubound(); ++i) {
        if (const playerClass* p = playerAt(i); p && p->score >= gRoundSize) over = true;
        fw::yieldToEventLoop();
    }
    return over;
}

void displayWinner() {
    QString explanation = QStringLiteral("The final scores are:") + fw::EndOfLine + fw::EndOfLine;
    int best = 0;
    int winner = 0;
    for (int i = 1; i <= gPlayerList.ubound(); ++i) {
        if (const playerClass* p = playerAt(i)) {
            explanation += p->name + QStringLiteral("... ") + fw::Str(p->score) + QStringLiteral(" points!") +
                           fw::EndOfLine;
            if (p->score > best) {  // strictly: on a tie the player listed first wins
                best = p->score;
                winner = i;
            }
        }
        fw::yieldToEventLoop();
    }
    const QString message =
        QStringLiteral("The winner is ") + nameOf(winner) + QStringLiteral("!") + fw::EndOfLine;

    playSound(THEATREAPPLAUSE);
    fw::MessageDialog results;
    results.Message = message;
    results.Explanation = explanation;
    results.Icon = fw::DialogIcon::Note;
    results.ShowModal();

    if (auto* w = fw::Window::ifOpen<gameWindow>()) w->Close();
    if (auto* w = fw::Window::ifOpen<playerListWindow>()) w->Close();
    gameSettingsWindow::get()->ShowModal();
}

}  // namespace globalsModule
