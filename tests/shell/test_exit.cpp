#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "tests/support/testsupport.h"

namespace {
struct Run {
    QByteArray out, err;
    bool ended = false;
    int exitCode = -1;
};

// The real program with a roster of two, driven by the input driver (`driver` is its parameter).
Run runProgram(const QString& driver, const std::function<void(QProcessEnvironment&)>& adjust = {},
               const QString& path = QStringLiteral(ZORVIK_PROGRAM)) {
    QTemporaryDir config;
    QTemporaryDir runtime;
    QFile prefs(QDir(config.path()).filePath(QStringLiteral("Zorvik Prefs")));
    if (prefs.open(QIODevice::WriteOnly)) prefs.write("2\ntrue\n0\nAnn\ntrue\n0\nBob\n1000\n");
    prefs.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(ZORVIK_PLUGINS));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("zorvikdriver") + driver);
    if (adjust) adjust(env);
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(path, QStringList());
    Run run;
    // The driver gives up after a minute; a program damaged at exit may hang instead of ending.
    run.ended = program.waitForFinished(90000);
    if (!run.ended) {
        program.kill();
        program.waitForFinished();
    }
    run.out = program.readAllStandardOutput();
    run.err = program.readAllStandardError();
    if (program.exitStatus() == QProcess::NormalExit) run.exitCode = program.exitCode();
    return run;
}
}  // namespace

// The real program as a process of its own: its start, its end and what it leaves behind.
class ProgramExitTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void rollWithSoundOn_thenQuit_exitsCleanly() {
        const Run run = runProgram(QString());
        QVERIFY2(run.ended, "the program did not end");
        // Qt Multimedia comes with the first sound, not with the start.
        for (const char* line :
             {"driver: rolled\n", "driver: quits\n", "driver: Qt Multimedia before roll: no\n",
              "driver: Qt Multimedia after roll: yes\n"})
            QVERIFY2(run.out.contains(line), (run.out + run.err).constData());
        QVERIFY2(
            run.exitCode == 0,
            qPrintable(QStringLiteral("exit %1: %2").arg(run.exitCode).arg(QString::fromLocal8Bit(run.err))));
    }

    // The sound module is loaded from the program's own folder only: a copy of the program alone in a
    // folder is silent, however many modules of that name stand in folders beside it.
    void soundModule_comesFromTheProgramsFolderOnly() {
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("x")) && dir.mkpath(QStringLiteral("shell")));
        const QString program = dir.filePath(QStringLiteral("x/zorvik"));
        QVERIFY(QFile::copy(QStringLiteral(ZORVIK_PROGRAM), program));
        const QString module =
            QFileInfo(QStringLiteral(ZORVIK_PROGRAM)).dir().filePath(QStringLiteral("libzorviksound.so"));
        QVERIFY(QFile::copy(module, dir.filePath(QStringLiteral("shell/libzorviksound.so"))));
        const Run run = runProgram(QString(), {}, program);
        QVERIFY2(run.ended && run.exitCode == 0, (run.out + run.err).constData());
        QVERIFY2(run.out.contains("driver: rolled\n") &&
                     run.out.contains("driver: Qt Multimedia after roll: no\n"),
                 (run.out + run.err).constData());
        QCOMPARE(run.err.count("Zorvik!: no sound: "), 1);
    }

    // libcurl and its TLS are loaded by the first check, not by every start. The check goes to a
    // proxy on a loopback port where nothing listens: refused (code 1), and nothing leaves the machine.
    void networkLibraries_areMappedAtTheFirstCheckOnly() {
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost, 0));
        const QString proxy = QStringLiteral("http://127.0.0.1:%1").arg(gone.serverPort());
        gone.close();
        const Run run = runProgram(QStringLiteral(":check"), [&](QProcessEnvironment& env) {
            for (const char* name : {"no_proxy", "NO_PROXY", "all_proxy", "ALL_PROXY"})
                env.remove(QString::fromLatin1(name));
            for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY"})
                env.insert(QString::fromLatin1(name), proxy);
        });
        const QString out = QString::fromLocal8Bit(run.out + run.err);
        QVERIFY2(run.ended && run.exitCode == 0, qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("driver: box: There was a communication error with the "
                                             "website. Please try again later. (Code: 1)\n")),
                 qPrintable(out));
        // The line "driver: network libraries before check: none", or with the names mapped
        const auto mapped = [&](const char* when) {
            const QRegularExpression line(QStringLiteral("driver: network libraries %1: (.+)\n").arg(when));
            return line.match(out).captured(1);
        };
        const QString before = mapped("before check"), after = mapped("after check");
        QVERIFY2(!before.isEmpty() && !after.isEmpty(), qPrintable(out));
        for (const char* library : {"libcurl.", "libssl.", "libQt6Network."})
            QVERIFY2(!before.contains(QLatin1String(library)), qPrintable(out));
        QVERIFY2(after.contains(QLatin1String("libcurl.")), qPrintable(out));
    }
};

ZORVIK_TEST(ProgramExitTest)
#include "test_exit.moc"
