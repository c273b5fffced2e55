// Coefficient sets of the requantizer's 12-tap error-feedback noise shaper: three curves, each
// designed for six sample rates, plus an all-zero set that stands for "no shaping".
#pragma once

namespace orv {

class NoiseShapingSets {
public:
    static constexpr int kTaps = 12;
    static constexpr int kCurves = 3;  // NoiseShape steps 1..3: type A, type B, type C
    static constexpr int kRates = 6;
    static constexpr int kRatesHz[kRates] = {44100, 48000, 88200, 96000, 176400, 192000};

    // Any thread; the table is constant. The set for NoiseShape `step` (0 off, 1..3 types A..C)
    // at exactly `rateHz`. Step 0 gives the zero set; a rate outside kRatesHz (or a step outside
    // 0..3) keeps `current`, the set in use until now.
    // Each set holds g[k] = -c[k], the negated taps of NTF(z) = 1 + sum c[k] z^-(k+1), ready for
    // the filter's subtraction.
    static const double* select(int step, int rateHz, const double* current) noexcept;

    // Any thread. The all-zero set, also the set in use before the first selection.
    static const double* zeroSet() noexcept;
};

}  // namespace orv
