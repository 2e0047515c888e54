#pragma once
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/globals.h"
#include "fw/random.h"
#include "fw/window.h"
#include "shell/gamewindow.h"
#include "shell/playerlistwindow.h"
#include "tests/support/testsupport.h"

// Games set up as the new-game dialog would, and played through the doors a player uses.
namespace turns {

using Roster = std::vector<std::pair<QString, int>>;  // name, kind (0 a person, 1..5 a computer)

inline gameWindow* gw() { return gameWindow::get(); }

// Fresh lists and score table for `players`; nothing started yet.
inline void seatPlayers(const Roster& players, int roundSize) {
    using namespace globalsModule;
    gPlayerList = fw::ObjList<playerClass>(int(players.size()));
    QTreeWidget* table = playerListWindow::get()->ListBox1;
    table->clear();
    int i = 0;
    for (const auto& [name, kind] : players) {
        auto p = std::make_shared<playerClass>();
        p->name = name;
        p->human = kind;
        gPlayerList.put(++i, p);
        auto* row = new QTreeWidgetItem(table);
        row->setText(0, name);
        row->setText(1, QStringLiteral("0"));
    }
    gRoundSize = roundSize;
}

// Starts the game with player `opener` on turn. A computer opener has not played yet: its
// turn comes from the event loop.
inline void startWith(int opener) {
    const int n = globalsModule::gPlayerList.ubound();
    // The first draw picks the opener; any later one (a roll) is an ordinary seeded draw.
    fw::setRandomSource([=, first = true, rng = std::mt19937(7)]() mutable {
        if (std::exchange(first, false)) return (opener - 0.5) / n;
        return std::uniform_real_distribution<double>(0, 1)(rng);
    });
    globalsModule::startNewGame();
    fw::setRandomSource(nullptr);
}

inline void newGame(const Roster& players, int roundSize, int opener) {
    seatPlayers(players, roundSize);
    startWith(opener);
}

// Runs the event loop until `done` holds (at most `rounds` passes); true when it did.
inline bool drainUntil(const std::function<bool()>& done, int rounds = 200000) {
    for (int i = 0; i < rounds && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

inline void clickDie(int i) {
    const dieClass& d = globalsModule::dice(i);
    QTest::mouseClick(gw()->playingSurface, Qt::LeftButton, {}, QPoint(d.x + 32, d.y + 32));
}

// "enabled caption" of a button, e.g. "1 Roll again" or "0 Stop Rolling".
inline QString state(const fw::PushButton* b) {
    return QString::number(b->isEnabled()) + QLatin1Char(' ') + b->Caption();
}

// Roll, Save All and Stop, in that order.
inline QStringList buttons() {
    return {state(gw()->rollButton), state(gw()->saveAllButton), state(gw()->stopButton)};
}

inline QStringList turnStart() {
    return {QStringLiteral("1 Roll"), QStringLiteral("0 Save All Scoring Dice"),
            QStringLiteral("0 Stop Rolling")};
}

inline QStringList row(int r) {
    const QTreeWidgetItem* item = playerListWindow::get()->ListBox1->topLevelItem(r);
    return {item->text(0), item->text(1), item->text(2), item->text(3)};
}

inline QString rule() { return QString(25, QLatin1Char('-')); }

inline QString pad(int level) { return QString(4 * level, QLatin1Char(' ')); }

// The history lines from line `from` on.
inline QStringList historyFrom(int from) { return testing::historyLines().mid(from); }

}  // namespace turns
