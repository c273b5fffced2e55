// Rate family, buffer lengths and the one-pole coefficients derived from the sample rate and the
// parameters. Pure functions: the engine calls them at construction, on a rate change and on the
// parameter changes that need them, never per sample.
//
// Threading: no state; safe from any thread.
#pragma once

#include <array>

namespace orv {

inline constexpr int kMaxRateShift = 2;
inline constexpr int kMaxLookahead = 128 << kMaxRateShift;   // 512
inline constexpr int kMaxKernelLength = 64 << kMaxRateShift; // 256
inline constexpr int kDetectorDelay = 31;                    // samples between leveller and lookahead
inline constexpr int kFallbackRate = 44100;
inline constexpr int kFollowerCount = 8;

using Ladder = std::array<double, kFollowerCount>;

enum class TransShape { Hard = 0, Med = 1, Soft = 2 };

// Whole Hz, truncated toward zero; anything outside 5000..200000 (NaN included) counts as 44100.
int validSampleRate(double rate) noexcept;
// 0 below 80 kHz, 1 below 170 kHz, 2 above.
int rateShift(double rate) noexcept;
int lookaheadLength(int shift) noexcept;
// Steps outside 0..2 count as the nearest valid step.
int kernelLength(int shapeStep, int shift) noexcept;
int envelopeDelayLength(int lookahead, int kernel) noexcept;
int latencyFor(int shift) noexcept;

// 1 - exp(-1000 / (ms x rate)): the step fraction of a one-pole with a time constant of ms.
double onePoleCoefficient(double ms, double rate) noexcept;
double gainSmootherCoefficient(double rate) noexcept;   // 30 Hz one-pole
double levellerCoefficient(double rate) noexcept;       // 1 s
double meterCoefficient(double rate) noexcept;          // mean square falls to 1 % in 600 ms
double blackGateCoefficient(double rate) noexcept;      // 10 ms

// Attack times 32 ms down to 1 ms in seven equal steps; release times from releaseMs down to 2 ms.
Ladder attackLadder(double rate) noexcept;
Ladder releaseLadder(double releaseMs, double rate) noexcept;

}  // namespace orv
