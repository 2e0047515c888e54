#include "fw/random.h"

#include <QRandomGenerator>
#include <cmath>
#include <limits>

namespace fw {
namespace {
QRandomGenerator& generator() {
    static QRandomGenerator g(QRandomGenerator::system()->generate64());
    return g;
}
std::function<double()>& source() {
    static std::function<double()> s;
    return s;
}
}  // namespace

double Rnd() {
    if (source()) {
        const double v = source()();
        return v < 0 ? 0 : (v >= 1 ? std::nextafter(1.0, 0.0) : v);
    }
    return generator().generateDouble();
}

int Round(double v) { return toInt32(std::round(v)); }

int toInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(v);  // truncates toward zero
}

void seedRandom(std::uint64_t seed) { generator().seed(quint64(seed)); }

void setRandomSource(std::function<double()> s) { source() = std::move(s); }

}  // namespace fw
