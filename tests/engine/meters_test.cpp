#include "engine/meters.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace orv {
namespace {

// Half-sample interpolation taps generated for the test: the ideal values sinc(m + 1/2) under a
// Hann window, doubled like the engine's table ([0] outermost, [31] innermost).
std::array<double, 32> testHalfbandTaps()
{
    std::array<double, 32> taps{};
    for (int k = 0; k < 32; ++k) {
        const int m = 31 - k;
        const double ideal = 2.0 * ((m % 2) ? -1.0 : 1.0) / (std::numbers::pi * (2 * m + 1));
        const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * (m + 0.5) / 32.0);
        taps[k] = ideal * window;
    }
    return taps;
}

class MetersTest : public ::testing::Test {
protected:
    // Feeds the same value as input (b) and output (y) on both channels, no attenuation.
    template <typename Signal>
    void feed(Signal signal, int count, double disp = 1.0)
    {
        for (int i = 0; i < count; ++i) {
            const double x = signal(fed + i);
            meters.update(x, x, x, x, disp, disp);
        }
        fed += count;
    }

    static double sine(int i, double amplitude = 1.0)
    {
        return amplitude * std::sin(2.0 * std::numbers::pi * 997.0 * i / 44100.0);
    }

    std::array<double, 32> taps = testHalfbandTaps();
    EngineMeters meters{taps.data()};
    int fed = 0;
};

void expectSameSnapshot(const MeterSnapshot& a, const MeterSnapshot& b)
{
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(a.inputPeak[c], b.inputPeak[c]);
        EXPECT_EQ(a.outputPeak[c], b.outputPeak[c]);
        EXPECT_EQ(a.inputRms[c], b.inputRms[c]);
        EXPECT_EQ(a.outputRms[c], b.outputRms[c]);
        EXPECT_EQ(a.gainHold[c], b.gainHold[c]);
    }
}

TEST_F(MetersTest, SilenceReadsZeroWithGainHoldsAtOne)
{
    meters.beginBlock(1.0, false);
    feed([](int) { return 0.0; }, 1000);
    const MeterSnapshot s = meters.takeSnapshot();
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(s.inputPeak[c], 0.0f);
        EXPECT_EQ(s.outputPeak[c], 0.0f);
        EXPECT_EQ(s.inputRms[c], 0.0f);
        EXPECT_EQ(s.outputRms[c], 0.0f);
        EXPECT_EQ(s.gainHold[c], 1.0f);
    }
}

TEST_F(MetersTest, FullScaleSineReadsOneOnPeakAndRmsBothWithAndWithoutInterpolation)
{
    for (bool interpolate : {false, true}) {
        meters.reset();
        meters.beginBlock(1.0, interpolate);
        feed([](int i) { return sine(i); }, 2 * 44100);
        const MeterSnapshot s = meters.takeSnapshot();
        for (int c = 0; c < 2; ++c) {
            EXPECT_NEAR(s.inputPeak[c], 1.0, 0.005) << interpolate;
            EXPECT_NEAR(s.inputRms[c], 1.0, 0.005) << interpolate;
            EXPECT_NEAR(s.outputPeak[c], 1.0, 0.005) << interpolate;
            EXPECT_NEAR(s.outputRms[c], 1.0, 0.005) << interpolate;
        }
    }
}

TEST_F(MetersTest, PreMeteringScalesOnlyTheInputByTheBlockStartDrive)
{
    meters.beginBlock(2.0, false);
    feed([](int i) { return sine(i, 0.5); }, 44100);
    const MeterSnapshot s = meters.takeSnapshot();
    EXPECT_NEAR(s.inputPeak[0], 1.0, 0.005);
    EXPECT_NEAR(s.inputRms[1], 1.0, 0.005);
    EXPECT_NEAR(s.outputPeak[0], 0.5, 0.0025);
    EXPECT_NEAR(s.outputRms[1], 0.5, 0.0025);
}

TEST_F(MetersTest, TwoFetchesWithoutProcessingAreIdentical)
{
    meters.beginBlock(1.0, false);
    feed([](int i) { return sine(i, 0.7); }, 5000, 0.6);
    const MeterSnapshot first = meters.takeSnapshot();
    expectSameSnapshot(meters.takeSnapshot(), first);
    EXPECT_GT(first.outputPeak[0], 0.6f);
}

TEST_F(MetersTest, OneSampleAfterAFetchRestartsPeaksAndGainHoldsFromThatSampleAlone)
{
    meters.beginBlock(1.0, false);
    feed([](int) { return 0.9; }, 100, 0.3);
    const MeterSnapshot before = meters.takeSnapshot();
    EXPECT_FLOAT_EQ(before.inputPeak[0], 0.9f);
    EXPECT_FLOAT_EQ(before.gainHold[0], 0.3f);

    meters.update(0.25, -0.125, -0.2, 0.1, 0.8, 0.7);
    const MeterSnapshot after = meters.takeSnapshot();
    EXPECT_EQ(after.inputPeak[0], 0.25f);
    EXPECT_EQ(after.inputPeak[1], 0.125f);
    EXPECT_EQ(after.outputPeak[0], 0.2f);
    EXPECT_EQ(after.outputPeak[1], 0.1f);
    EXPECT_EQ(after.gainHold[0], 0.8f);
    EXPECT_EQ(after.gainHold[1], 0.7f);
    EXPECT_NEAR(after.outputRms[0], before.outputRms[0], 0.01 * before.outputRms[0])
        << "mean squares are not restarted by a fetch";
}

TEST_F(MetersTest, GainHoldKeepsTheSmallestDisplayedGainUntilReset)
{
    meters.beginBlock(1.0, false);
    for (double disp : {0.9, 0.4, 0.7, 1.0}) {
        meters.update(0.0, 0.0, 0.0, 0.0, disp, 1.0);
    }
    EXPECT_EQ(meters.takeSnapshot().gainHold[0], 0.4f);
    meters.update(0.0, 0.0, 0.0, 0.0, 0.5, 0.5);
    meters.resetGainHolds();
    EXPECT_EQ(meters.takeSnapshot().gainHold[1], 1.0f);
}

TEST_F(MetersTest, InterpolatedMeteringFindsTheInterSamplePeakOfAQuarterRateSine)
{
    // sin(pi n / 2 + pi / 4): every sample is +-0.7071, the peaks of 1.0 lie half-way between.
    auto quarterRate = [](int i) { return std::sin(std::numbers::pi * (0.5 * i + 0.25)); };
    meters.beginBlock(1.0, false);
    feed(quarterRate, 500);
    const float samplePeak = meters.takeSnapshot().outputPeak[0];
    EXPECT_FLOAT_EQ(samplePeak, static_cast<float>(std::sqrt(0.5)));

    meters.beginBlock(1.0, true);
    feed(quarterRate, 500);
    const float interpolatedPeak = meters.takeSnapshot().outputPeak[0];
    EXPECT_GT(interpolatedPeak, samplePeak * 1.3f);
    EXPECT_NEAR(interpolatedPeak, 1.0, 0.02);  // the test taps' gain at this frequency
}

TEST_F(MetersTest, InterpolatedOutputMeanSquareLagsBy31Samples)
{
    meters.beginBlock(1.0, true);
    meters.update(0.0, 0.0, 0.5, 0.5, 1.0, 1.0);
    for (int i = 1; i < 31; ++i) {
        meters.update(0.0, 0.0, 0.0, 0.0, 1.0, 1.0);
    }
    EXPECT_EQ(meters.takeSnapshot().outputRms[0], 0.0f);
    meters.update(0.0, 0.0, 0.0, 0.0, 1.0, 1.0);  // the impulse is now 31 samples old
    const MeterSnapshot s = meters.takeSnapshot();
    EXPECT_GT(s.outputRms[0], 0.0f);
    EXPECT_EQ(s.outputPeak[0], 0.5f);
}

TEST_F(MetersTest, InterpolationRingIsWrittenOnlyWhileReconstructionMeteringIsOn)
{
    // A loud stretch metered without interpolation must not show up once it is switched on.
    meters.beginBlock(1.0, false);
    feed([](int) { return 0.9; }, 200);
    meters.takeSnapshot();
    meters.beginBlock(1.0, true);
    feed([](int) { return 0.0; }, 10);
    EXPECT_EQ(meters.takeSnapshot().outputPeak[0], 0.0f);
}

TEST_F(MetersTest, MeanSquareFallsToOnePercentIn600Milliseconds)
{
    for (int rate : {44100, 96000}) {
        meters.setSampleRate(rate);
        meters.reset();
        meters.beginBlock(1.0, false);
        feed([](int) { return 0.5; }, 5 * rate);
        const float settled = meters.takeSnapshot().outputRms[0];
        feed([](int) { return 0.0; }, rate * 6 / 10);
        const float decayed = meters.takeSnapshot().outputRms[0];
        EXPECT_NEAR(decayed / settled, 0.1, 0.001) << rate;  // RMS falls to 10 %
    }
}

TEST_F(MetersTest, CalibrationNoiseFeedsInputAndOutputAlikeAndSilencesTheOtherChannel)
{
    meters.beginBlock(1.0, false);
    feed([](int) { return 0.8; }, 100, 0.5);
    meters.takeSnapshot();
    meters.updateCalibration(true, -0.3, false, 0.7);
    meters.updateCalibration(true, 0.1, false, 0.7);
    const MeterSnapshot s = meters.takeSnapshot();
    EXPECT_FLOAT_EQ(s.outputPeak[0], 0.3f);
    EXPECT_EQ(s.inputPeak[0], s.outputPeak[0]);
    EXPECT_EQ(s.inputRms[0], s.outputRms[0]);
    EXPECT_EQ(s.inputPeak[1], 0.0f);
    EXPECT_EQ(s.outputPeak[1], 0.0f);
    EXPECT_EQ(s.inputRms[1], 0.0f);
    EXPECT_EQ(s.outputRms[1], 0.0f);
    EXPECT_EQ(s.gainHold[0], 1.0f);
}

TEST_F(MetersTest, ResetClearsEverything)
{
    meters.beginBlock(1.0, true);
    feed([](int i) { return sine(i); }, 1000, 0.2);
    meters.reset();
    meters.beginBlock(1.0, true);
    feed([](int) { return 0.0; }, 40);
    const MeterSnapshot s = meters.takeSnapshot();
    EXPECT_EQ(s.outputPeak[0], 0.0f);
    EXPECT_EQ(s.outputRms[1], 0.0f);
    EXPECT_EQ(s.inputRms[0], 0.0f);
    EXPECT_EQ(s.gainHold[0], 1.0f);
}

}  // namespace
}  // namespace orv
