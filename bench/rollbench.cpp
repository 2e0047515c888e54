// Time of one roll of six dice with its animation at real tick speed, on a shown main window.
// The four frames pause one tick (1/60 s) after each die: about 24 ticks (0.4 s) plus drawing.
// Usage: rollbench [rolls]   (default 40; runs offscreen, audio off)
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "engine/board.h"
#include "engine/globals.h"
#include "fw/clock.h"
#include "fw/random.h"
#include "fw/sound.h"
#include "shell/gamewindow.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rolls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    fw::setAudioEnabled(false);
    fw::useSelfAdvancingClock(false);
    fw::seedRandom(7);

    globalsModule::createArrays();
    globalsModule::init();
    gameWindow* w = gameWindow::get();
    w->Show();
    QApplication::processEvents();
    boardClass* table = w->playingSurface;

    std::vector<double> wallMs, cpuMs;
    for (int n = 0; n < rolls; ++n) {
        QElapsedTimer wall;
        const std::clock_t cpu = std::clock();
        wall.start();
        table->freshRoll();
        wallMs.push_back(double(wall.nsecsElapsed()) / 1e6);
        cpuMs.push_back(double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const size_t m = v.size() / 2;
        return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
    };
    const auto [minWall, maxWall] = std::minmax_element(wallMs.begin(), wallMs.end());
    std::printf("rolls of six dice:   %d\n", rolls);
    std::printf("wall time per roll:  median %.1f ms (min %.1f, max %.1f)\n", median(wallMs), *minWall,
                *maxWall);
    std::printf("CPU time per roll:   median %.2f ms, mean %.2f ms\n", median(cpuMs), [&] {
        double s = 0;
        for (double c : cpuMs) s += c;
        return s / double(cpuMs.size());
    }());
    std::printf("bound from the tick pauses: 24 ticks = %.1f ms\n", 24 * 1000.0 / 60);
    return 0;
}
