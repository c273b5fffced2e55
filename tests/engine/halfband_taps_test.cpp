#include "engine/halfband_taps.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace orv {
namespace {

std::array<double, kHalfbandTapCount> doubledTaps() {
    std::array<double, kHalfbandTapCount> taps{};
    for (int k = 0; k < kHalfbandTapCount; ++k) taps[k] = 2.0 * kHalfbandCoefficients[k];
    return taps;
}

TEST(HalfbandTaps, DcGainIsJustBelowOne) {
    double sum = 0.0;
    for (double c : kHalfbandCoefficients) sum += c;
    EXPECT_NEAR(4.0 * sum, 0.99999973, 5e-9);
}

TEST(HalfbandTaps, AlternateInSignAndGrowInward) {
    for (int k = 0; k < kHalfbandTapCount; ++k) {
        EXPECT_EQ(kHalfbandCoefficients[k] > 0.0, k % 2 == 1) << k;
        if (k > 0) {
            EXPECT_GT(std::fabs(kHalfbandCoefficients[k]), std::fabs(kHalfbandCoefficients[k - 1])) << k;
        }
    }
    // The innermost taps lie within 0.14 % and 1.3 % of the ideal values 1/pi and -1/(3 pi).
    EXPECT_NEAR(kHalfbandCoefficients[31], 1.0 / std::numbers::pi, 0.0015 / std::numbers::pi);
    EXPECT_NEAR(kHalfbandCoefficients[30], -1.0 / (3.0 * std::numbers::pi), 0.013 / (3.0 * std::numbers::pi));
}

TEST(HalfbandTaps, InterpolatorPassesDcAndRejectsNyquist) {
    const auto taps = doubledTaps();
    std::array<double, 64> constant{};
    std::array<double, 64> alternating{};
    for (int t = 0; t < 64; ++t) {
        constant[t] = 1.0;
        alternating[t] = t % 2 == 0 ? 1.0 : -1.0;
    }
    for (unsigned newest : {0u, 17u, 63u}) {
        EXPECT_NEAR(halfbandMidpoint(constant.data(), newest, taps.data()), 0.99999973, 5e-9) << newest;
        EXPECT_EQ(halfbandMidpoint(alternating.data(), newest, taps.data()), 0.0) << newest;
    }
}

TEST(HalfbandTaps, InterpolatesASlowSineBetweenItsSamples) {
    const auto taps = doubledTaps();
    std::array<double, 64> ring{};
    const double w = 2.0 * std::numbers::pi / 40.0;
    for (int age = 0; age < 64; ++age) ring[(63 - age) & 63] = std::sin(w * (100.0 - age));
    // Newest at index 63; the midpoint lies 31.5 samples back.
    EXPECT_NEAR(halfbandMidpoint(ring.data(), 63, taps.data()), std::sin(w * (100.0 - 31.5)), 1e-4);
}

}  // namespace
}  // namespace orv
