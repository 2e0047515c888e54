#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "fw/clock.h"
#include "fw/sound.h"
#include "tests/support/testsupport.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A crash or time-out ends the program at once, with no debugger attached to it.
    qputenv("QTEST_DISABLE_STACK_DUMP", "1");
    qputenv("QTEST_DISABLE_CORE_DUMP", "1");
    // Test servers listen on loopback: no proxy of the machine's stands between (both spellings: the
    // lower-case one wins where both are set).
    qputenv("NO_PROXY", "127.0.0.1,localhost");
    qputenv("no_proxy", "127.0.0.1,localhost");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QApplication app(argc, argv);
    fw::setAudioEnabled(false);
    fw::useSelfAdvancingClock(true);
    // "test_shell MenuTest [QTest arguments]" runs one class only.
    QString only;
    if (argc > 1 && argv[1][0] != '-') {
        only = QString::fromLocal8Bit(argv[1]);
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    int failed = 0;
    for (auto& [name, make] : testing::registeredTests()) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        std::unique_ptr<QObject> test(make());
        testing::resetGame();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
