// Plays consecutive games of computer players only, with instant rolls (the self-advancing tick
// clock), and reports games per second and the memory after the first and the last game.
// Games cycle through two to six players, kinds 1..5 and the six round lengths 1000..50000; the
// mix repeats every 30 games, so games 30, 60 and 90 end on the same kind of game: the heap in use
// there shows whether anything is kept from game to game.
// Usage: gamesbench [games] [seed]   (default 100 games, seed 1; runs offscreen, audio off)
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstdio>

#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/dialogs.h"
#include "fw/random.h"
#include "fw/sound.h"
#include "fw/window.h"
#include "shell/playerlistwindow.h"

namespace {
struct Memory {
    long rssKb = 0;   // VmRSS
    long peakKb = 0;  // VmHWM
    long heapKb = 0;  // bytes the allocator has handed out and not yet got back
};

Memory memoryNow() {
    Memory m;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) m.rssKb = line.mid(6).trimmed().split(' ').first().toLong();
            if (line.startsWith("VmHWM:")) m.peakKb = line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    m.heapKb = long(mallinfo2().uordblks / 1024);
    return m;
}

void report(const char* when, const Memory& m) {
    std::printf("%-22s VmRSS %6ld kB   VmHWM %6ld kB   heap in use %5ld kB\n", when, m.rssKb, m.peakKb,
                m.heapKb);
}

// What "Start Game" does: fresh players, their rows in the score table, the round length.
void startGame(int game) {
    using namespace globalsModule;
    static const int roundSizes[] = {1000, 5000, 10000, 20000, 35000, 50000};
    const int players = 2 + game % 5;
    gPlayerList = fw::ObjList<playerClass>(players);
    QTreeWidget* table = playerListWindow::get()->ListBox1;
    table->clear();
    for (int i = 1; i <= players; ++i) {
        auto p = std::make_shared<playerClass>();
        p->name = QStringLiteral("CPU %1").arg(i);
        p->human = 1 + (game + i) % 5;
        gPlayerList.put(i, p);
        auto* row = new QTreeWidgetItem(table);
        row->setText(0, p->name);
        row->setText(1, QStringLiteral("0"));
    }
    gRoundSize = roundSizes[game % 6];
    startNewGame();
}

// Runs the event loop until `ended` reaches `target`, then lets the closed windows go.
void runUntil(const int& ended, int target) {
    const auto pass = [] {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    while (ended < target) pass();
    for (int i = 0; i < 3; ++i) pass();
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    fw::seedRandom(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    fw::setAudioEnabled(false);
    fw::useSelfAdvancingClock(true);
    globalsModule::createArrays();
    globalsModule::init();

    int ended = 0;
    long turns = 0;
    fw::setDialogResponder([&](const fw::DialogRecord&) {
        ++ended;
        turns += playerListWindow::get()->status->toPlainText().count(QStringLiteral("'s turn is over."));
        return 0;
    });
    fw::Window::setModalHook([](fw::Window* w) { w->Close(); });

    QElapsedTimer clock;
    clock.start();
    for (int g = 1; g <= games; ++g) {
        startGame(g - 1);
        runUntil(ended, g);
        if (g == 1 || g % 30 == 0) report(qPrintable(QStringLiteral("after game %1:").arg(g)), memoryNow());
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    report(qPrintable(QStringLiteral("after game %1:").arg(games)), memoryNow());

    std::printf("games played:          %d (%ld turns)\n", games, turns);
    std::printf("time:                  %.1f s: %.2f games/s, %.0f turns/s\n", seconds, games / seconds,
                double(turns) / seconds);
    std::printf("windows left open:     %d\n", int(fw::Window::allOpen().size()));
    return 0;
}
