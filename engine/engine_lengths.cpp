#include "engine/engine_lengths.h"

#include <algorithm>
#include <cmath>

namespace orv {
namespace {

constexpr double kMinRate = 5000.0;
constexpr double kMaxRate = 200000.0;

// The ladders step by subtraction in double arithmetic, so their values are reproducible.
Ladder ladder(double firstMs, double lastMs, double rate) noexcept {
    const double step = (firstMs - lastMs) / (kFollowerCount - 1);
    Ladder coefficients{};
    double ms = firstMs;
    for (double& c : coefficients) {
        c = onePoleCoefficient(ms, rate);
        ms -= step;
    }
    return coefficients;
}

}  // namespace

int validSampleRate(double rate) noexcept {
    // Compared before the conversion so that NaN and huge values never reach the integer cast.
    if (!(rate >= kMinRate && rate < kMaxRate + 1.0)) return kFallbackRate;
    return static_cast<int>(rate);
}

int rateShift(double rate) noexcept {
    if (rate < 80000.0) return 0;
    if (rate < 170000.0) return 1;
    return 2;
}

int lookaheadLength(int shift) noexcept { return 128 << shift; }

int kernelLength(int shapeStep, int shift) noexcept {
    static constexpr std::array<int, 3> kBase{8, 16, 64};
    return kBase[static_cast<std::size_t>(std::clamp(shapeStep, 0, 2))] << shift;
}

int envelopeDelayLength(int lookahead, int kernel) noexcept { return lookahead - 2 * kernel + 2; }

int latencyFor(int shift) noexcept { return lookaheadLength(shift) + kDetectorDelay; }

double onePoleCoefficient(double ms, double rate) noexcept { return 1.0 - std::exp(-1000.0 / (ms * rate)); }

double gainSmootherCoefficient(double rate) noexcept { return 1.0 - std::exp(-188.49555921538757 / rate); }

double levellerCoefficient(double rate) noexcept { return 1.0 - std::exp(-1000.0 / (1000.0 * rate)); }

double meterCoefficient(double rate) noexcept { return 1.0 - std::pow(0.01, 1000.0 / (rate * 600.0)); }

double blackGateCoefficient(double rate) noexcept { return 1.0 - std::exp(-1000.0 / (rate * 10.0)); }

Ladder attackLadder(double rate) noexcept { return ladder(32.0, 1.0, rate); }

Ladder releaseLadder(double releaseMs, double rate) noexcept { return ladder(releaseMs, 2.0, rate); }

}  // namespace orv
