// libFuzzer target: the help window converts arbitrary text as its manual and is walked through.
// Build: cmake -S . -B build-fuzz -DZORVIK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
//        cmake --build build-fuzz --target helpfuzz
// Run:   build-fuzz/fuzz/helpfuzz -max_len=8192 corpus-dir tests/help/corpus
#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fw/clock.h"
#include "help/helpwindow.h"
#include "tests/support/helpexercise.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    fw::useSelfAdvancingClock(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString manual = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString broken = helptest::exercise(helpWindow::get(), manual);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "broken rule: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
