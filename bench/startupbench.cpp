// Time from the program's start to the new-game dialog being shown, and the peak memory then.
// Each run is a fresh process: the bench starts itself with --child, which runs the real start-up
// (runApplication) with a roster of four in a temporary preferences folder, reports when the
// dialog is up and quits. Prints the medians of the runs.
// Usage: startupbench [runs]   (default 15; set QT_QPA_PLATFORM=offscreen where there is no display)
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

namespace {
long peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

int child(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QTemporaryDir prefs;
    fw::setPreferencesFolder(prefs.path());
    fw::writeLinesAtomically(
        prefs.filePath(QStringLiteral("Zorvik Prefs")),
        {QStringLiteral("4"), QStringLiteral("true"), QStringLiteral("0"), QStringLiteral("Ann"),
         QStringLiteral("true"), QStringLiteral("0"), QStringLiteral("Ben"), QStringLiteral("true"),
         QStringLiteral("2"), QStringLiteral("Robo"), QStringLiteral("false"), QStringLiteral("5"),
         QStringLiteral("Max"), QStringLiteral("10000")});
    fw::Window::setModalHook([&](fw::Window*) {
        std::printf("up %.3f %ld\n", double(sinceMain.nsecsElapsed()) / 1e6, peakMemoryKb());
        std::fflush(stdout);
        FileQuit()->action()->trigger();
    });
    return runApplication(argc, argv);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> fromSpawn, fromMain, peak;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        QByteArray line;
        while (!line.contains('\n') && p.waitForReadyRead(30000)) line += p.readAllStandardOutput();
        const double spawnMs = double(clock.nsecsElapsed()) / 1e6;
        p.waitForFinished(30000);
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() != 3 || fields[0] != "up") {
            std::fprintf(stderr, "run %d: no dialog (%s)\n", i + 1, line.constData());
            return 1;
        }
        fromSpawn.push_back(spawnMs);
        fromMain.push_back(fields[1].toDouble());
        peak.push_back(fields[2].toDouble());
    }
    std::printf("runs: %d\n", runs);
    std::printf("process start to dialog shown: median %.1f ms\n", median(fromSpawn));
    std::printf("main() to dialog shown:        median %.1f ms\n", median(fromMain));
    std::printf("peak memory (VmHWM) then:      median %.0f KiB\n", median(peak));
    return 0;
}
