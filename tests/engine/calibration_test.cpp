#include "engine/calibration.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace orv {
namespace {

constexpr int kLeft = 1, kUncorrelated = 2, kRight = 3;
constexpr int kK12 = 0, kK14 = 1, kK20 = 2;
constexpr int kRate = 44100;

class CalibrationTest : public ::testing::Test {
protected:
    struct Output {
        std::vector<double> left;
        std::vector<double> right;
    };

    Output run(int mode, int scale, int frames, bool withRight = true)
    {
        Output out{std::vector<double>(frames, 99.0), std::vector<double>(frames, 99.0)};
        generator_.process(mode, scale, out.left.data(), withRight ? out.right.data() : nullptr,
                           frames, dither, meters);
        return out;
    }

    void restart()
    {
        generator_.reset();
        dither.reset();
        meters.reset();
    }

    static double rms(const std::vector<double>& x)
    {
        double sum = 0.0;
        for (double v : x) {
            sum += v * v;
        }
        return std::sqrt(2.0 * sum / static_cast<double>(x.size()));  // the meters' RMS scale
    }

    std::array<double, 32> taps{};  // interpolation is not used while calibrating
    EngineMeters meters{taps.data()};
    DitherGenerator dither;
    CalibrationGenerator generator_;
};

TEST_F(CalibrationTest, ThirtySecondRmsReadsTheReferenceLevelOfEachScale)
{
    struct Case {
        int scale;
        double rms;
    };
    for (const Case c : {Case{kK20, 0.1}, Case{kK14, 0.2}, Case{kK12, 0.2512}}) {
        restart();
        const Output left = run(kLeft, c.scale, 30 * kRate);
        EXPECT_NEAR(rms(left.left), c.rms, 0.02 * c.rms) << "scale " << c.scale;
        const Output both = run(kUncorrelated, c.scale, 30 * kRate);
        EXPECT_NEAR(rms(both.left), c.rms, 0.02 * c.rms) << "scale " << c.scale;
        EXPECT_NEAR(rms(both.right), c.rms, 0.02 * c.rms) << "scale " << c.scale;
        // The engine meters read the same level (their average covers the last ~600 ms).
        const MeterSnapshot s = meters.takeSnapshot();
        EXPECT_NEAR(s.outputRms[0], c.rms, 0.1 * c.rms);
        EXPECT_EQ(s.inputRms[1], s.outputRms[1]);
    }
}

TEST_F(CalibrationTest, NoiseNeverExceedsTheBoundOfItsNineTerms)
{
    const Output out = run(kUncorrelated, kK12, 30 * kRate);
    const double bound = 0.9 / (std::sqrt(2.0) * std::sqrt(3.0)) * 2.5118864315;
    double largest = 0.0;
    for (const std::vector<double>* channel : {&out.left, &out.right}) {
        for (double v : *channel) {
            largest = std::max(largest, std::abs(v));
        }
    }
    EXPECT_LE(largest, bound);
    EXPECT_GT(largest, 0.5 * bound);
}

TEST_F(CalibrationTest, LeftAndRightCarryTheSameSequenceAndSilenceTheOtherSide)
{
    const Output left = run(kLeft, kK14, 5000);
    restart();
    const Output right = run(kRight, kK14, 5000);
    EXPECT_EQ(right.right, left.left);
    EXPECT_EQ(left.right, std::vector<double>(5000, 0.0));
    EXPECT_EQ(right.left, std::vector<double>(5000, 0.0));
    EXPECT_NE(left.left, std::vector<double>(5000, 0.0));
}

TEST_F(CalibrationTest, UncorrelatedModeGivesTwoDifferentNoises)
{
    const Output both = run(kUncorrelated, kK20, 20000);
    double cross = 0.0;
    double powerL = 0.0;
    double powerR = 0.0;
    for (int i = 0; i < 20000; ++i) {
        cross += both.left[i] * both.right[i];
        powerL += both.left[i] * both.left[i];
        powerR += both.right[i] * both.right[i];
    }
    EXPECT_GT(powerL, 0.0);
    EXPECT_GT(powerR, 0.0);
    EXPECT_LT(std::abs(cross) / std::sqrt(powerL * powerR), 0.1);
}

TEST_F(CalibrationTest, SingleChannelModesRoundTo32BitFloatInThe64BitEntry)
{
    const Output single = run(kLeft, kK20, 1000);
    for (double v : single.left) {
        ASSERT_EQ(v, static_cast<double>(static_cast<float>(v)));
    }
    const Output both = run(kUncorrelated, kK20, 1000);
    int unrounded = 0;
    for (double v : both.left) {
        unrounded += v != static_cast<double>(static_cast<float>(v)) ? 1 : 0;
    }
    EXPECT_GT(unrounded, 900);
}

TEST_F(CalibrationTest, The32BitEntryProducesTheSameNoise)
{
    const Output wide = run(kUncorrelated, kK14, 1000);
    restart();
    std::vector<float> left(1000);
    std::vector<float> right(1000);
    generator_.process(kUncorrelated, kK14, left.data(), right.data(), 1000, dither, meters);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(left[i], static_cast<float>(wide.left[i]));
        ASSERT_EQ(right[i], static_cast<float>(wide.right[i]));
    }
}

TEST_F(CalibrationTest, WithOneOutputLeftModeWritesNoiseAndRightModeSilence)
{
    const Output left = run(kLeft, kK20, 300, false);
    EXPECT_EQ(left.right, std::vector<double>(300, 99.0)) << "the absent output is not touched";
    EXPECT_NE(left.left[299], 0.0);
    const Output right = run(kRight, kK20, 300, false);
    EXPECT_EQ(right.left, std::vector<double>(300, 0.0));
}

TEST_F(CalibrationTest, NoiseContinuesSeamlesslyAcrossBlocksAndRepeatsAfterReset)
{
    const Output whole = run(kUncorrelated, kK14, 1000);
    restart();
    const Output first = run(kUncorrelated, kK14, 333);
    const Output second = run(kUncorrelated, kK14, 667);
    for (int i = 0; i < 1000; ++i) {
        const double l = i < 333 ? first.left[i] : second.left[i - 333];
        const double r = i < 333 ? first.right[i] : second.right[i - 333];
        ASSERT_EQ(l, whole.left[i]) << i;
        ASSERT_EQ(r, whole.right[i]) << i;
    }
}

TEST_F(CalibrationTest, LevelStartsLowWhileTheSlowRowsAreStillEmpty)
{
    // Right after a reset only a few rows hold values; after 128 samples all do.
    const Output out = run(kLeft, kK20, 30 * kRate);
    const std::vector<double> start(out.left.begin(), out.left.begin() + 8);
    const std::vector<double> later(out.left.begin() + kRate, out.left.end());
    EXPECT_LT(rms(start), 0.7 * rms(later));
}

TEST_F(CalibrationTest, MetersFollowTheNoiseAndZeroTheSilentChannel)
{
    meters.beginBlock(1.0, false);
    for (int i = 0; i < 100; ++i) {
        meters.update(0.9, 0.9, 0.9, 0.9, 0.5, 0.5);
    }
    meters.takeSnapshot();
    const Output out = run(kRight, kK14, 2000);
    double largest = 0.0;
    for (double v : out.right) {
        largest = std::max(largest, std::abs(v));
    }
    const MeterSnapshot s = meters.takeSnapshot();
    EXPECT_NEAR(s.outputPeak[1], largest, 1e-6);
    EXPECT_EQ(s.inputPeak[1], s.outputPeak[1]);
    EXPECT_EQ(s.outputPeak[0], 0.0f);
    EXPECT_EQ(s.inputRms[0], 0.0f);
    EXPECT_EQ(s.gainHold[0], 1.0f);
    EXPECT_EQ(s.gainHold[1], 1.0f);
}

TEST_F(CalibrationTest, ModeOutsideTheRangeLeavesBlockAndStateUntouched)
{
    const Output reference = run(kLeft, kK20, 100);
    restart();
    const Output untouched = run(7, kK20, 100);
    EXPECT_EQ(untouched.left, std::vector<double>(100, 99.0));
    EXPECT_EQ(run(kLeft, kK20, 100).left, reference.left);
}

}  // namespace
}  // namespace orv
