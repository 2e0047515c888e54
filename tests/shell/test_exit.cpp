#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/testsupport.h"

// The real program as a process of its own: its start, its end and what it leaves behind.
class ProgramExitTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void rollWithSoundOn_thenQuit_exitsCleanly() {
        QTemporaryDir config;
        QTemporaryDir runtime;
        QFile prefs(QDir(config.path()).filePath(QStringLiteral("Zorvik Prefs")));
        QVERIFY(prefs.open(QIODevice::WriteOnly));
        prefs.write("2\ntrue\n0\nAnn\ntrue\n0\nBob\n1000\n");
        prefs.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(ZORVIK_PLUGINS));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("zorvikdriver"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ZORVIK_PROGRAM), QStringList());
        // The driver gives up after a minute; a program damaged at exit may hang instead of ending.
        if (!program.waitForFinished(90000)) {
            program.kill();
            program.waitForFinished();
            QFAIL("the program did not end");
        }
        const QByteArray out = program.readAllStandardOutput();
        const QByteArray err = program.readAllStandardError();
        QVERIFY2(out.contains("driver: rolled\ndriver: quits\n"), (out + err).constData());
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 qPrintable(
                     QStringLiteral("exit %1: %2").arg(program.exitCode()).arg(QString::fromLocal8Bit(err))));
    }
};

ZORVIK_TEST(ProgramExitTest)
#include "test_exit.moc"
