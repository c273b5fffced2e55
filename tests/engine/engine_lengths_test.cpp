#include "engine/engine_lengths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <limits>

namespace orv {
namespace {

struct RateCase {
    double requested;
    int rate;
    int shift;
    int latency;
};

TEST(EngineLengths, RateFamiliesAndLatency) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RateCase cases[] = {
        {44100, 44100, 0, 159},   {48000, 48000, 0, 159},   {88200, 88200, 1, 287},   {96000, 96000, 1, 287},
        {176400, 176400, 2, 543}, {192000, 192000, 2, 543}, {4000, 44100, 0, 159},    {200000, 200000, 2, 543},
        {200001, 44100, 0, 159},  {79999, 79999, 0, 159},   {80000, 80000, 1, 287},   {169999, 169999, 1, 287},
        {170000, 170000, 2, 543}, {5000, 5000, 0, 159},     {4999.9, 44100, 0, 159},  {0, 44100, 0, 159},
        {-48000, 44100, 0, 159},  {nan, 44100, 0, 159},     {1e30, 44100, 0, 159},    {96000.7, 96000, 1, 287},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.requested);
        const int rate = validSampleRate(c.requested);
        EXPECT_EQ(rate, c.rate);
        EXPECT_EQ(rateShift(rate), c.shift);
        EXPECT_EQ(latencyFor(rateShift(rate)), c.latency);
    }
}

struct LengthCase {
    int shift;
    int shape;
    int kernel;
    int envelopeDelay;
};

TEST(EngineLengths, KernelAndEnvelopeDelay) {
    const LengthCase cases[] = {
        {0, 0, 8, 114}, {0, 1, 16, 98}, {0, 2, 64, 2}, {1, 1, 32, 194}, {2, 0, 32, 450}, {2, 1, 64, 386}, {2, 2, 256, 2},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "shift " << c.shift << " shape " << c.shape);
        EXPECT_EQ(kernelLength(c.shape, c.shift), c.kernel);
        EXPECT_EQ(envelopeDelayLength(lookaheadLength(c.shift), c.kernel), c.envelopeDelay);
    }
    EXPECT_EQ(lookaheadLength(0), 128);
    EXPECT_EQ(lookaheadLength(2), kMaxLookahead);
}

TEST(EngineLengths, AttackLadderRunsFrom32To1Ms) {
    const Ladder a = attackLadder(44100.0);
    // Seven subtractions of 31/7 from 32 land on 1 ms to rounding.
    EXPECT_NEAR(a[7], 1.0 - std::exp(-1000.0 / 44100.0), 1e-15);
    EXPECT_DOUBLE_EQ(a[0], 1.0 - std::exp(-1000.0 / (32.0 * 44100.0)));
    for (int k = 1; k < kFollowerCount; ++k) EXPECT_GT(a[k], a[k - 1]) << k;  // shorter times, faster
}

TEST(EngineLengths, ReleaseLadderEndsAt2Ms) {
    const double fs = 48000.0;
    const Ladder flat = releaseLadder(2.0, fs);
    for (double c : flat) EXPECT_EQ(c, flat[0]);

    const Ladder rising = releaseLadder(1.0, fs);  // 1 ms up to 2 ms: coefficients fall
    EXPECT_DOUBLE_EQ(rising[0], onePoleCoefficient(1.0, fs));
    EXPECT_NEAR(rising[7], onePoleCoefficient(2.0, fs), 1e-15);
    for (int k = 1; k < kFollowerCount; ++k) EXPECT_LT(rising[k], rising[k - 1]) << k;

    const Ladder slow = releaseLadder(1000.0, fs);
    EXPECT_DOUBLE_EQ(slow[0], onePoleCoefficient(1000.0, fs));
    EXPECT_NEAR(slow[7], onePoleCoefficient(2.0, fs), 1e-15);
}

TEST(EngineLengths, RateCoefficientsMatchTheirTimeConstants) {
    // A one-pole keeps 1 - c of the remaining distance per sample: log(1 - c) x fs = -1 / seconds.
    const double fs = 96000.0;
    const auto perSecond = [fs](double c) { return std::log(1.0 - c) * fs; };
    EXPECT_NEAR(perSecond(levellerCoefficient(fs)), -1.0, 1e-9);
    EXPECT_NEAR(perSecond(blackGateCoefficient(fs)), -100.0, 1e-7);
    EXPECT_NEAR(perSecond(gainSmootherCoefficient(fs)), -2.0 * std::numbers::pi * 30.0, 1e-7);
    EXPECT_NEAR(perSecond(meterCoefficient(fs)) * 0.6, std::log(0.01), 1e-9);
    EXPECT_NEAR(perSecond(onePoleCoefficient(5.0, fs)), -200.0, 1e-7);
}

}  // namespace
}  // namespace orv
