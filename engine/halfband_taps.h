// Side taps of the 64-tap half-band interpolator that finds the value half-way between two samples.
//
// Threading: constant data; safe from any thread.
#pragma once

#include <array>

namespace orv {

inline constexpr int kHalfbandTapCount = 32;
inline constexpr unsigned kHalfbandRingMask = 63;  // the interpolator reads a 64-sample ring

// c[0] belongs to the outermost pair of samples, c[31] to the innermost. The engine uses them doubled.
extern const std::array<double, kHalfbandTapCount> kHalfbandCoefficients;

// Glossary: ring = the last 64 samples, newest at index `newest` (indices masked with 63);
// taps = the doubled coefficients. Returns the midpoint between the samples 31 and 32 old,
// folding the symmetric 64 taps into 32 multiplications.
inline double halfbandMidpoint(const double* ring, unsigned newest, const double* taps) noexcept {
    double sum = 0.0;
    for (unsigned k = 0; k < kHalfbandTapCount; ++k) {
        sum += taps[k] * (ring[(newest - k) & kHalfbandRingMask] + ring[(newest + 1 + k) & kHalfbandRingMask]);
    }
    return sum;
}

}  // namespace orv
