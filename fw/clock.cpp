#include "fw/clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace fw {
namespace {
bool selfAdvancing = false;
std::int32_t fakeTicks = 0;

QElapsedTimer& started() {
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t;
}
}  // namespace

std::int32_t Ticks() {
    if (selfAdvancing) return ++fakeTicks;
    return std::int32_t(std::uint32_t(started().elapsed() * 60 / 1000));
}

void useSelfAdvancingClock(bool on) { selfAdvancing = on; }

void yieldToEventLoop() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void waitUntilTicks(std::int32_t start, std::int32_t ticks) {
    for (;;) {
        // A signed 32-bit difference: a wrap of the counter does not prolong the wait.
        const std::int32_t passed = std::int32_t(std::uint32_t(Ticks()) - std::uint32_t(start));
        if (passed >= ticks) return;
        if (selfAdvancing || !QCoreApplication::instance()) {
            yieldToEventLoop();
            continue;
        }
        // Sleep until the tick boundary at which the wait ends, not a whole tick more.
        const qint64 endTick = qint64(Ticks()) + (ticks - passed);
        const qint64 ms = std::max<qint64>((endTick * 1000 + 59) / 60 - started().elapsed(), 1);
        QEventLoop loop;
        QTimer::singleShot(int(ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace fw
