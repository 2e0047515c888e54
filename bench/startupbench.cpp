// Time from the program's start to the new-game dialog being shown, and the peak memory then.
// Each run is a fresh process: the bench starts itself with --child, which runs the real start-up
// (runApplication) with a roster of the given size in a temporary preferences folder, reports
// when the dialog is up and quits. Prints the medians of the runs for each roster size, and the
// shared objects mapped when the dialog is up: how many, and those of the network stack (none: it is
// loaded by the first update check).
// Usage: startupbench [runs] [players ...]   (default 15 runs of a roster of 4; set
// QT_QPA_PLATFORM=offscreen where there is no display). Example: startupbench 7 1000 5000 20000
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "fw/menu.h"
#include "fw/prefs.h"
#include "fw/window.h"
#include "shell/app.h"
#include "shell/gamesettingswindow.h"
#include "tests/support/mappedlibraries.h"

namespace {
constexpr int kRunTimeoutMs = 60000;

long peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Four players of mixed kinds, or `players` made up ones ("Player 17", every third unticked).
QStringList roster(int players) {
    if (players == 4)
        return QStringLiteral("4 true 0 Ann true 0 Ben true 2 Robo false 5 Max 10000")
            .split(QLatin1Char(' '));
    QStringList lines{QString::number(players)};
    for (int i = 1; i <= players; ++i)
        lines << (i % 3 ? QStringLiteral("true") : QStringLiteral("false")) << QString::number(i % 6)
              << QStringLiteral("Player %1").arg(i);
    lines << QStringLiteral("10000");
    return lines;
}

int child(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QTemporaryDir prefs;
    fw::setPreferencesFolder(prefs.path());
    fw::writeLinesAtomically(prefs.filePath(QStringLiteral("Zorvik Prefs")), roster(std::atoi(argv[2])));
    fw::Window::setModalHook([&](fw::Window* w) {
        w->repaint();  // the dialog drawn once, its list included, before the clock is read
        const QStringList libraries = mappedLibraries();
        const QStringList network = networkLibraries(libraries);
        std::printf("up %.3f %ld %lld %s\n", double(sinceMain.nsecsElapsed()) / 1e6, peakMemoryKb(),
                    static_cast<long long>(libraries.size()),
                    network.isEmpty() ? "none" : qPrintable(network.join(QLatin1Char(','))));
        std::fflush(stdout);
        fw::Window::setModalHook(nullptr);
        QElapsedTimer start;
        start.start();
        if (auto* dialog = qobject_cast<gameSettingsWindow*>(w)) dialog->okayButton->Push();
        std::printf("game %.3f\n", double(start.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
        FileQuit()->action()->trigger();
    });
    return runApplication(argc, argv);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// Runs `runs` fresh processes with a roster of `players`; false when one shows no dialog.
bool measure(int runs, int players) {
    std::vector<double> fromSpawn, fromMain, peak, startGame, mapped;
    QByteArray network;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), QString::number(players)});
        QByteArray line;
        while (!line.contains('\n') && clock.elapsed() < kRunTimeoutMs &&
               p.waitForReadyRead(int(kRunTimeoutMs - clock.elapsed())))
            line += p.readAllStandardOutput();
        const double spawnMs = double(clock.nsecsElapsed()) / 1e6;
        const QList<QByteArray> fields = line.split('\n').first().split(' ');
        if (fields.size() != 5 || fields[0] != "up") {
            p.kill();
            p.waitForFinished();
            std::printf("%6d players: run %d showed no dialog within %d s\n", players, i + 1,
                        kRunTimeoutMs / 1000);
            return false;
        }
        while (line.count('\n') < 2 && p.waitForReadyRead(kRunTimeoutMs)) line += p.readAllStandardOutput();
        p.waitForFinished(kRunTimeoutMs);
        const QList<QByteArray> game = line.split('\n').value(1).split(' ');
        fromSpawn.push_back(spawnMs);
        fromMain.push_back(fields[1].toDouble());
        peak.push_back(fields[2].toDouble());
        mapped.push_back(fields[3].toDouble());
        network = fields[4];
        startGame.push_back(game.size() == 2 && game[0] == "game" ? game[1].toDouble() : -1);
    }
    std::printf(
        "%6d players, %d runs (medians): process start to dialog %8.1f ms, main() to dialog "
        "%8.1f ms, peak memory then %6.0f KiB; \"Start Game\" %8.1f ms\n"
        "%6s shared objects mapped at the dialog %.0f, of the network stack: %s\n",
        players, runs, median(fromSpawn), median(fromMain), median(peak), median(startGame), "",
        median(mapped), network.constData());
    std::fflush(stdout);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::max(0, std::atoi(argv[i])));
    if (sizes.empty()) sizes.push_back(4);
    bool allShown = true;
    for (int players : sizes) allShown = measure(runs, players) && allShown;
    return allShown ? 0 : 1;
}
