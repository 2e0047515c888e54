#include <QApplication>
#include <QTest>

#include "fw/clock.h"
#include "fw/sound.h"
#include "tests/support/testsupport.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fw::setAudioEnabled(false);
    fw::useSelfAdvancingClock(true);
    int failed = 0;
    for (auto& [name, make] : testing::registeredTests()) {
        std::unique_ptr<QObject> test(make());
        testing::resetGame();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
