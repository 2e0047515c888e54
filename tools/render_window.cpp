// Renders the main window after a roll, with one scoring group set aside, to a PNG.
// Usage: render_window [path]   (default docs/main-window.png; runs offscreen)
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/random.h"
#include "fw/sound.h"
#include "shell/gamewindow.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/main-window.png");
    fw::setAudioEnabled(false);
    fw::useSelfAdvancingClock(true);
    fw::seedRandom(2024);

    using namespace globalsModule;
    createArrays();
    init();
    gPlayerList = fw::ObjList<playerClass>(1);
    auto player = std::make_shared<playerClass>();
    player->name = QStringLiteral("Player");
    gPlayerList.put(1, player);
    gCurrentPlayer = 1;

    gameWindow* w = gameWindow::get();
    w->Show();
    boardClass* table = w->playingSurface;
    int points = 0;
    do {
        table->freshRoll();
        points = calcRollScore(false, false);
    } while (points == 0);
    w->firstRoll = false;
    for (int i = 1; i <= 6; ++i) {
        if (dice(i).containsPoints && !dice(i).save) {
            table->moveThisDie(i, true);
            break;
        }
    }
    QApplication::processEvents();

    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("wrote %s (roll worth %d points)\n", qPrintable(path), points);
    return 0;
}
