// Synthesizes the five sounds (sound 168..172) as 16-bit mono PCM WAV at 44100 Hz and prints each
// one's length, peak and loudness.   Usage: make_sounds [resources folder]
#include <QFile>
#include <QTextStream>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/artwork.h"

namespace {

constexpr int kRate = 44100;
constexpr double kTau = 6.283185307179586;
using Samples = std::vector<double>;

// xorshift64*: the same numbers on every machine, unlike the standard distributions.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed * 0x9e3779b97f4a7c15ull + 1) {}
    double next() {  // [0, 1)
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return double((state_ * 0x2545f4914f6cdd1dull) >> 11) / double(1ull << 53);
    }
    double between(double lo, double hi) { return lo + (hi - lo) * next(); }
    double noise() { return 2 * next() - 1; }

  private:
    uint64_t state_;
};

// A two-pole band-pass (constant peak gain), the audio cookbook's form.
class BandPass {
  public:
    BandPass(double centre, double q) { tune(centre, q); }
    void tune(double centre, double q) {
        const double w = kTau * centre / kRate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
        b0_ = alpha / a0;
        a1_ = -2 * std::cos(w) / a0;
        a2_ = (1 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0_ * x - b0_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return y;
    }

  private:
    double b0_ = 0, a1_ = 0, a2_ = 0, x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A small hall: four damped feedback combs in parallel, then two all-passes (Schroeder's design).
// Mixes `wet` of the hall into `s`; `seconds` is the time the tail takes to fall by 60 dB.
void hall(Samples& s, double seconds, double wet) {
    Samples tail(s.size(), 0.0);
    for (double ms : {29.7, 37.1, 41.1, 43.7}) {
        const size_t delay = size_t(ms / 1000 * kRate);
        const double feedback = std::pow(10, -3 * ms / 1000 / seconds);
        Samples line(delay, 0.0);
        double low = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            const double out = line[i % delay];
            low = 0.6 * out + 0.4 * low;
            line[i % delay] = s[i] + feedback * low;
            tail[i] += out / 4;
        }
    }
    for (double ms : {5.0, 1.7}) {
        const size_t delay = size_t(ms / 1000 * kRate);
        Samples line(delay, 0.0);
        for (size_t i = 0; i < s.size(); ++i) {
            const double held = line[i % delay], in = tail[i] + 0.7 * held;
            line[i % delay] = in;
            tail[i] = held - 0.7 * in;
        }
    }
    for (size_t i = 0; i < s.size(); ++i) s[i] = (1 - wet) * s[i] + wet * tail[i];
}

Samples silence(double seconds) { return Samples(size_t(seconds * kRate), 0.0); }

// A struck body: decaying sines of the given frequencies (Hz), time constants (s) and levels.
void strike(Samples& out, double at, const std::vector<std::array<double, 3>>& modes, Random& random) {
    const size_t start = size_t(at * kRate);
    for (const auto& [freq, decay, level] : modes) {
        const double phase = random.between(0, kTau);
        const size_t len = std::min(out.size() - std::min(out.size(), start), size_t(decay * 6 * kRate));
        for (size_t i = 0; i < len; ++i) {
            const double t = double(i) / kRate;
            out[start + i] += level * std::exp(-t / decay) * std::sin(kTau * freq * t + phase);
        }
    }
    for (size_t i = 0; i < size_t(0.0006 * kRate) && start + i < out.size(); ++i)
        out[start + i] += 0.25 * random.noise() * (1 - double(i) / (0.0006 * kRate));
}

// Dice rattling in a cup: three shakes, each a burst of die-on-die clicks and duller knocks on the
// cup, the burst thinning out as the dice settle.
Samples diceShake() {
    Random random(168);
    Samples out = silence(0.62);
    for (double shake : {0.01, 0.2, 0.39}) {
        const int hits = 16;
        for (int h = 0; h < hits; ++h) {
            const double at = shake + 0.17 * std::pow(random.next(), 1.5);
            const double level = random.between(0.4, 1.0) * (1 - 0.4 * (at - shake) / 0.17);
            if (random.next() < 0.65)
                strike(out, at,
                       {{random.between(2600, 4200), 0.004, level},
                        {random.between(4500, 7000), 0.0025, 0.6 * level}},
                       random);
            else
                strike(out, at,
                       {{random.between(700, 1100), 0.012, 0.8 * level},
                        {random.between(1800, 2600), 0.006, 0.5 * level}},
                       random);
        }
    }
    return out;
}

// A cartoon spring: a tone dropping from about 500 to 170 Hz with a fading wobble.
Samples boink() {
    Samples out = silence(0.5);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double base = 170 + 330 * std::exp(-t * 7);
        const double freq = base * (1 + 0.16 * std::exp(-t * 4) * std::sin(kTau * 11 * t));
        phase += kTau * freq / kRate;
        const double tone = std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
        const double thump = 0.6 * std::exp(-t / 0.025) * std::sin(kTau * 85 * t);
        out[i] = std::exp(-t * 3.4) * tone + thump;
    }
    return out;
}

// A theatre audience: thirty people clapping at their own pace, starting together and stopping one
// by one.
Samples applause() {
    Random random(170);
    Samples out = silence(2.5);
    for (int person = 0; person < 30; ++person) {
        const double pace = random.between(3.6, 5.6), level = random.between(0.35, 1.0);
        const double centre = random.between(900, 2400), decay = random.between(0.005, 0.011);
        const double stop = random.between(1.5, 2.35);
        for (double at = random.between(0, 0.25); at < stop; at += random.between(0.85, 1.15) / pace) {
            BandPass tone(centre * random.between(0.9, 1.1), random.between(0.9, 1.6));
            const size_t start = size_t(at * kRate), len = size_t(decay * 5 * kRate);
            const double fade = at > stop - 0.4 ? (stop - at) / 0.4 : 1.0;
            for (size_t i = 0; i < len && start + i < out.size(); ++i)
                out[start + i] +=
                    3 * level * fade * tone(random.noise() * std::exp(-double(i) / kRate / decay));
        }
    }
    hall(out, 1.1, 0.4);
    return out;
}

// A wolf whistle, "wheet - wheeoo": a rising note, then one that rises and falls; a sine with a
// little vibrato and a breath of noise that follows the pitch.
Samples whistle() {
    Random random(171);
    Samples out = silence(1.0);
    BandPass breath(1500, 8);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kRate;
        double freq = 0, level = 0;
        if (t < 0.3) {
            const double u = t / 0.3;
            freq = 1100 + 1400 * (1 - (1 - u) * (1 - u));
            level = std::min({1.0, t / 0.03, (0.3 - t) / 0.04});
        } else if (t >= 0.38 && t < 0.98) {
            const double u = (t - 0.38) / 0.6;
            freq = u < 0.2 ? 1300 + 1400 * std::sin(u / 0.2 * kTau / 4)
                           : 2700 - 1650 * std::pow((u - 0.2) / 0.8, 1.6);
            level = std::min({1.0, (t - 0.38) / 0.03, (0.98 - t) / 0.12});
        }
        if (level <= 0) continue;
        freq *= 1 + 0.008 * std::sin(kTau * 5.5 * t);
        phase += kTau * freq / kRate;
        if (i % 32 == 0) breath.tune(freq, 8);
        out[i] = level * (std::sin(phase) + 0.05 * std::sin(2 * phase) + 0.5 * breath(random.noise()));
    }
    return out;
}

// A short, dry click of a die set down.
Samples click() {
    Random random(172);
    Samples out = silence(0.04);
    strike(out, 0.0005, {{3200, 0.0025, 1.0}, {5400, 0.0015, 0.6}, {1800, 0.004, 0.45}}, random);
    return out;
}

// Removes any offset, fades the ends (ms), scales the peak to `peakDb` and reports the result.
void finish(Samples& s, double peakDb, double fadeInMs, double fadeOutMs, const QString& name) {
    double mean = 0;
    for (double v : s) mean += v / double(s.size());
    const size_t in = size_t(fadeInMs / 1000 * kRate), out = size_t(fadeOutMs / 1000 * kRate);
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] -= mean;
        if (i < in) s[i] *= double(i) / double(in);
        if (i + out >= s.size()) s[i] *= double(s.size() - 1 - i) / double(out);
    }
    double peak = 0, power = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    const double gain = std::pow(10, peakDb / 20) / peak;
    for (double& v : s) {
        v *= gain;
        power += v * v / double(s.size());
    }
    QTextStream(stdout) << name << ": " << QString::number(double(s.size()) / kRate, 'f', 3) << " s, peak "
                        << QString::number(peakDb, 'f', 1) << " dBFS, rms "
                        << QString::number(10 * std::log10(power), 'f', 1) << " dBFS\n";
}

bool writeWav(const QString& file, const Samples& s) {
    QByteArray data;
    for (double v : s) {
        const auto sample = qToLittleEndian(int16_t(std::clamp(std::lround(v * 32767), -32767l, 32767l)));
        data.append(reinterpret_cast<const char*>(&sample), 2);
    }
    QByteArray head("RIFF");
    auto u32 = [&head](uint32_t v) {
        head.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 4);
    };
    auto u16 = [&head](uint16_t v) {
        head.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 2);
    };
    u32(uint32_t(36 + data.size()));
    head.append("WAVEfmt ");
    u32(16), u16(1), u16(1), u32(kRate), u32(kRate * 2), u16(2), u16(16);
    head.append("data");
    u32(uint32_t(data.size()));
    QFile f(file);
    const bool ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    f.write(head + data) == head.size() + data.size();
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << file << " (" << head.size() + data.size()
                        << " bytes)\n";
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const QString folder = artwork::ensureFolder(artwork::outputFolder(argc, argv), QStringLiteral("sound"));
    struct Made {
        int number;
        Samples samples;
        double peakDb, fadeIn, fadeOut;
        const char* name;
    };
    std::vector<Made> sounds;
    sounds.push_back({168, diceShake(), -5, 0.2, 40, "DiceShake"});
    sounds.push_back({169, boink(), -5, 2, 60, "BOINK04"});
    sounds.push_back({170, applause(), -4, 40, 300, "THEATREAPPLAUSE"});
    sounds.push_back({171, whistle(), -11, 2, 20, "WHISTLEAPPRECIATIVE"});
    sounds.push_back({172, click(), -8, 0.2, 8, "CLICK"});
    bool ok = true;
    for (Made& m : sounds) {
        finish(m.samples, m.peakDb, m.fadeIn, m.fadeOut, QString::fromLatin1(m.name));
        ok &= writeWav(QStringLiteral("%1/%2.wav").arg(folder).arg(m.number), m.samples);
    }
    return ok ? 0 : 1;
}
