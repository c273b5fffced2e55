// The meters as the engine feeds them: the input leaving the bypass delay, y before the
// requantizer, the displayed gains, the block-start drive for "pre", and the fetch hand-off.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace orv {
namespace {

class EngineMetersTest : public testing::Test {
protected:
    void SetUp() override {
        engine.setLeveller(1.0, true);
        engine.suspend();
    }

    // Runs x on both channels; returns the left output.
    std::vector<double> run(const std::vector<double>& x) {
        std::vector<double> left(x.size()), right(x.size());
        engine.process(x.data(), x.data(), left.data(), right.data(), static_cast<int>(x.size()));
        return left;
    }

    static std::vector<double> sine(int frames, double amplitude, double hz, double rate = 44100.0,
                                    double phase = 0.0) {
        std::vector<double> x(static_cast<size_t>(frames));
        for (int t = 0; t < frames; ++t) x[static_cast<size_t>(t)] = amplitude * std::sin(2.0 * std::numbers::pi * hz * t / rate + phase);
        return x;
    }

    static double largestMagnitude(const std::vector<double>& x) {
        double m = 0.0;
        for (double v : x) m = std::max(m, std::fabs(v));
        return m;
    }

    Engine engine;
};

TEST_F(EngineMetersTest, SilenceReadsRest) {
    run(std::vector<double>(5000, 0.0));
    const MeterSnapshot s = engine.takeMeterSnapshot();
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(s.inputPeak[c], 0.0f);
        EXPECT_EQ(s.outputPeak[c], 0.0f);
        EXPECT_EQ(s.inputRms[c], 0.0f);
        EXPECT_EQ(s.outputRms[c], 0.0f);
        EXPECT_EQ(s.gainHold[c], 1.0f);
    }
}

TEST_F(EngineMetersTest, FullScaleSinePostReadsOneOnEveryLevel) {
    engine.setPostMeter(true);
    run(sine(2 * 44100, 1.0, 997.0));
    const MeterSnapshot s = engine.takeMeterSnapshot();
    for (int c = 0; c < 2; ++c) {
        for (float level : {s.inputPeak[c], s.inputRms[c], s.outputPeak[c], s.outputRms[c]}) {
            EXPECT_NEAR(level, 1.0, 0.005);
        }
    }
}

// "pre" meters the input times the drive of the block start, although the drive glides within
// the block; "post" meters the raw input.
TEST_F(EngineMetersTest, InputScaleIsTheBlockStartDriveForPreAndOneForPost) {
    struct Case {
        bool post;
        float firstBlock, secondBlock;
    };
    for (const Case c : {Case{false, 0.5f, 1.0f}, Case{true, 0.25f, 0.25f}}) {
        SCOPED_TRACE(c.post);
        engine.setPostMeter(c.post);
        engine.setDriveGain(2.0);
        engine.suspend();          // the drive starts at 2
        engine.setDriveGain(4.0);  // and reaches 4 within the first block
        run(std::vector<double>(8000, 0.25));
        EXPECT_FLOAT_EQ(engine.takeMeterSnapshot().inputPeak[0], c.firstBlock);
        run(std::vector<double>(1000, 0.25));
        EXPECT_FLOAT_EQ(engine.takeMeterSnapshot().inputPeak[1], c.secondBlock);
    }
}

TEST_F(EngineMetersTest, FetchesWithoutProcessingAreEqualAndOneSampleRestartsThePeaks) {
    const std::vector<double> x = sine(44100, 0.8, 440.0);
    run(x);
    const MeterSnapshot first = engine.takeMeterSnapshot();
    const MeterSnapshot second = engine.takeMeterSnapshot();
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(first.inputPeak[c], second.inputPeak[c]);
        EXPECT_EQ(first.outputPeak[c], second.outputPeak[c]);
        EXPECT_EQ(first.inputRms[c], second.inputRms[c]);
        EXPECT_EQ(first.outputRms[c], second.outputRms[c]);
        EXPECT_EQ(first.gainHold[c], second.gainHold[c]);
    }
    EXPECT_GT(first.inputPeak[0], 0.79f);

    const std::vector<double> y = run({0.01});
    const MeterSnapshot one = engine.takeMeterSnapshot();
    const double leaving = x[x.size() - static_cast<size_t>(engine.latency())];  // the input meter's sample
    EXPECT_EQ(one.inputPeak[0], static_cast<float>(std::fabs(leaving)));
    EXPECT_EQ(one.outputPeak[0], static_cast<float>(std::fabs(y[0])));
    EXPECT_LT(one.inputPeak[0], first.inputPeak[0]);
}

TEST_F(EngineMetersTest, MeterOvsFindsThePeakBetweenTheSamples) {
    engine.setPower(false);  // y is the delayed input itself
    const std::vector<double> x = sine(4000, 0.9, 44100.0 / 4.0, 44100.0, std::numbers::pi / 4.0);
    const double samplePeak = largestMagnitude(x);
    ASSERT_NEAR(samplePeak, 0.9 * std::sqrt(0.5), 1e-9);
    struct Case {
        bool meterOvs;
        double lowest, highest;
    };
    for (const Case c : {Case{false, samplePeak, samplePeak}, Case{true, 0.85, 0.95}}) {
        SCOPED_TRACE(c.meterOvs);
        engine.setMeterOvs(c.meterOvs);
        engine.suspend();
        run(x);
        const MeterSnapshot s = engine.takeMeterSnapshot();
        EXPECT_GE(s.outputPeak[0], static_cast<float>(c.lowest));
        EXPECT_LE(s.outputPeak[0], static_cast<float>(c.highest));
    }
}

TEST_F(EngineMetersTest, GainHoldsFollowTheAttenuationOnlyWithPowerOn) {
    const std::vector<double> loud = sine(20000, 3.0, 220.0);
    struct Case {
        bool power;
        float lowest, highest;
    };
    for (const Case c : {Case{true, 0.0f, 0.5f}, Case{false, 1.0f, 1.0f}}) {
        SCOPED_TRACE(c.power);
        engine.setPower(c.power);
        engine.suspend();
        run(loud);
        const MeterSnapshot s = engine.takeMeterSnapshot();
        for (int ch = 0; ch < 2; ++ch) {
            EXPECT_GE(s.gainHold[ch], c.lowest);
            EXPECT_LE(s.gainHold[ch], c.highest);
        }
        EXPECT_GT(s.outputPeak[0], 0.9f);  // the output meters show the output, limited or delayed
    }
}

TEST_F(EngineMetersTest, ResetDisplayedGainRestartsTheHoldsAndNothingElse) {
    run(sine(20000, 3.0, 220.0));
    engine.resetDisplayedGain();
    const MeterSnapshot s = engine.takeMeterSnapshot();
    EXPECT_EQ(s.gainHold[0], 1.0f);
    EXPECT_EQ(s.gainHold[1], 1.0f);
    EXPECT_GT(s.inputPeak[0], 2.9f);
}

// The mean squares fall to 1 % in 600 ms at every rate, so the RMS values fall to a tenth.
TEST_F(EngineMetersTest, RmsDecayFollowsTheSampleRate) {
    for (const float rate : {44100.0f, 96000.0f, 192000.0f}) {
        SCOPED_TRACE(rate);
        engine.setSampleRate(rate);
        run(std::vector<double>(static_cast<size_t>(2 * rate), 0.5));
        const float settled = engine.takeMeterSnapshot().inputRms[0];
        EXPECT_NEAR(settled, std::sqrt(2.0) * 0.5, 1e-4);
        run(std::vector<double>(static_cast<size_t>(0.6 * rate) + static_cast<size_t>(engine.latency()), 0.0));
        EXPECT_NEAR(engine.takeMeterSnapshot().inputRms[0] / settled, 0.1, 0.001);
    }
}

}  // namespace
}  // namespace orv
