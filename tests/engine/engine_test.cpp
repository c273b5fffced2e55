#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace orv {
namespace {

using Signal = std::vector<double>;

struct Stereo {
    Signal left;
    Signal right;
};

// Program material that forces limiting: two sines plus noise with bursts up to about 2.5.
Stereo programMaterial(int frames, double rate, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-0.3, 0.3);
    Stereo s{Signal(frames), Signal(frames)};
    for (int t = 0; t < frames; ++t) {
        const double burst = (t / 2000) % 3 == 0 ? 2.2 : 0.6;
        const double phase = 2.0 * std::numbers::pi * t / rate;
        // Rounded to float so that the float and double entries see the same input.
        s.left[t] = static_cast<float>(burst * std::sin(110.0 * phase) + noise(random));
        s.right[t] = static_cast<float>(0.8 * burst * std::sin(173.0 * phase + 1.0) + noise(random));
    }
    return s;
}

class EngineTest : public testing::Test {
protected:
    // The "Default" program: Output 0 dB, Drive 0 dB, T 0.02, 200 ms, hard, link 1, order I, power on.
    static void applyDefaults(Engine& engine) {
        engine.setOutputGain(1.0);
        engine.setDriveGain(1.0);
        engine.setTransient(0.02);
        engine.setReleaseMs(200.0);
        engine.setTransShape(0);
        engine.setLink(1.0);
        engine.setOversample(false);
        engine.setDetectorOrder(0);
        engine.setPower(true);
        engine.setLeveller(1.0, true);
        engine.setAutoOut(false);
        engine.suspend();
    }

    void SetUp() override { applyDefaults(engine_); }

    Stereo run(const Stereo& in) { return run(engine_, in); }

    static Stereo run(Engine& engine, const Stereo& in) {
        Stereo out{Signal(in.left.size()), Signal(in.left.size())};
        engine.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(),
                       static_cast<int>(in.left.size()));
        return out;
    }

    Engine engine_;
};

TEST_F(EngineTest, PowerOffDelaysByTheReportedLatency) {
    struct Case {
        float rate;
        int latency;
    };
    for (const Case c : {Case{44100.0f, 159}, Case{48000.0f, 159}, Case{88200.0f, 287}, Case{96000.0f, 287},
                         Case{176400.0f, 543}, Case{192000.0f, 543}}) {
        SCOPED_TRACE(c.rate);
        engine_.setSampleRate(c.rate);
        engine_.setPower(false);
        engine_.setDriveGain(4.0);  // the bypass carries the raw input
        EXPECT_EQ(engine_.latency(), c.latency);
        Stereo in{Signal(1000), Signal(1000)};
        in.left[10] = 0.75;
        in.right[10] = -0.5;
        const Stereo out = run(in);
        for (int t = 0; t < 1000; ++t) {
            EXPECT_EQ(out.left[t], t == 10 + c.latency ? 0.75 : 0.0) << t;
            EXPECT_EQ(out.right[t], t == 10 + c.latency ? -0.5 : 0.0) << t;
        }
    }
}

TEST_F(EngineTest, QuietSignalPassesUnchangedApartFromTheDelay) {
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        for (int shape : {0, 1, 2}) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, shape " << shape);
            engine_.setSampleRate(rate);
            engine_.setTransShape(shape);
            engine_.suspend();
            Stereo in = programMaterial(6000, rate);
            for (double& v : in.left) v *= 0.3;
            for (double& v : in.right) v *= 0.3;
            const Stereo out = run(in);
            const int latency = engine_.latency();
            for (int t = 0; t + latency < 6000; ++t) {
                ASSERT_NEAR(out.left[t + latency], in.left[t], 1e-12) << t;
                ASSERT_NEAR(out.right[t + latency], in.right[t], 1e-12) << t;
            }
        }
    }
}

TEST_F(EngineTest, ConstantAboveFullScaleSettlesToTheInverseGain) {
    struct Case {
        double input;
        double drive;
        bool oversample;
        double transient;
    };
    const Case cases[] = {
        {2.0, 1.0, false, 0.02}, {1.0, 4.0, false, 0.02}, {-3.0, 1.0, false, 0.5},
        {2.0, 1.0, true, 0.02},  {0.7, 2.0, true, 0.0},
    };
    engine_.setOutputGain(0.5);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << " x " << c.drive << (c.oversample ? " oversampled" : ""));
        engine_.setDriveGain(c.drive);
        engine_.setOversample(c.oversample);
        engine_.setTransient(c.transient);
        engine_.suspend();
        const Stereo out = run(Stereo{Signal(44100, c.input), Signal(44100, c.input)});
        const double a = std::fabs(c.input * c.drive) * (c.oversample ? 1.001 : 1.0);
        const double expected = std::copysign(0.5 * std::fabs(c.input * c.drive) / a, c.input);
        EXPECT_NEAR(out.left.back(), expected, 1e-9);
        EXPECT_NEAR(out.right.back(), expected, 1e-9);
    }
}

TEST_F(EngineTest, NoSampleExceedsTheOutputGain) {
    // The transient envelope meets each peak exactly when the delayed signal does, so the gain
    // never lets a sample through above the ceiling, whatever the shape, rate or transient weight.
    engine_.setOutputGain(0.5);  // a ceiling below the final clip
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        for (int shape : {0, 1, 2}) {
            for (double transient : {0.0, 0.02, 0.5}) {
                SCOPED_TRACE(testing::Message() << rate << " Hz, shape " << shape << ", T " << transient);
                engine_.setSampleRate(rate);
                engine_.setTransShape(shape);
                engine_.setTransient(transient);
                engine_.suspend();
                const Stereo out = run(programMaterial(30000, rate, 3));
                double peak = 0.0;
                for (int t = 0; t < 30000; ++t) peak = std::max({peak, std::fabs(out.left[t]), std::fabs(out.right[t])});
                EXPECT_LE(peak, 0.5 * (1.0 + 1e-12));
                EXPECT_GT(peak, 0.45);
            }
        }
    }
}

TEST_F(EngineTest, ConstantBelowFullScalePassesWithUnitGain) {
    engine_.setOutputGain(0.5);
    engine_.suspend();
    const Stereo out = run(Stereo{Signal(20000, 0.9), Signal(20000, -0.4)});
    EXPECT_NEAR(out.left.back(), 0.45, 1e-12);
    EXPECT_NEAR(out.right.back(), -0.2, 1e-12);
}

TEST_F(EngineTest, OversamplingCatchesInterSamplePeaks) {
    // A sine at a quarter of the rate with 45 degrees of phase: samples at 0.707 of its true peak.
    Stereo in{Signal(20000), Signal(20000)};
    for (int t = 0; t < 20000; ++t) in.left[t] = in.right[t] = 1.3 * std::sin(std::numbers::pi * (t / 2.0 + 0.25));
    const Stereo plain = run(in);
    engine_.setOversample(true);
    engine_.suspend();
    const Stereo oversampled = run(in);
    const int latency = engine_.latency();
    EXPECT_NEAR(std::fabs(plain.left[19999]), std::fabs(in.left[19999 - latency]), 1e-12);  // samples below 1
    EXPECT_NEAR(std::fabs(oversampled.left[19999]) / std::fabs(in.left[19999 - latency]), 1.0 / (1.3 * 1.001), 1e-3);
}

TEST_F(EngineTest, SilenceGivesExactZero) {
    const Stereo out = run(Stereo{Signal(50000), Signal(50000)});
    EXPECT_TRUE(std::all_of(out.left.begin(), out.left.end(), [](double v) { return v == 0.0; }));
    EXPECT_TRUE(std::all_of(out.right.begin(), out.right.end(), [](double v) { return v == 0.0; }));
    std::vector<float> inF(3000, 0.0f);
    std::vector<float> outL(3000, 1.0f);
    std::vector<float> outR(3000, 1.0f);
    engine_.process(inF.data(), inF.data(), outL.data(), outR.data(), 3000);
    EXPECT_TRUE(std::all_of(outL.begin(), outL.end(), [](float v) { return v == 0.0f; }));
    EXPECT_TRUE(std::all_of(outR.begin(), outR.end(), [](float v) { return v == 0.0f; }));
}

TEST_F(EngineTest, LinkDecidesWhetherOneChannelsPeakReachesTheOther) {
    // A loud left channel and a quiet right one: only the followers carry the left peak across.
    struct Case {
        double link;
        double rightGain;
    };
    for (const Case c : {Case{0.0, 1.0}, Case{1.0, 0.25}, Case{0.5, 1.0 / 2.25}}) {
        SCOPED_TRACE(c.link);
        engine_.setLink(c.link);
        engine_.setTransient(0.0);
        engine_.suspend();
        const Stereo out = run(Stereo{Signal(44100, 4.0), Signal(44100, 0.5)});
        EXPECT_NEAR(out.right.back(), 0.5 * c.rightGain, 1e-9);
        EXPECT_NEAR(out.left.back(), 1.0, 1e-9);
    }
}

TEST_F(EngineTest, TransientPathStaysPerChannelAtFullLink) {
    // With T = 0.5 half of the gain comes from the transient path, which never links.
    engine_.setTransient(0.5);
    engine_.suspend();
    const Stereo out = run(Stereo{Signal(44100, 4.0), Signal(44100, 0.5)});
    EXPECT_NEAR(out.right.back(), 0.5 * (0.5 + 0.5 / 4.0), 1e-9);
}

TEST_F(EngineTest, LevellerOffNeverChangesTheLevelAndOnPullsTowardItsThreshold) {
    const Stereo in{Signal(441000, 0.8), Signal(441000, 0.8)};  // ten time constants
    engine_.setLeveller(0.25, true);
    engine_.suspend();
    EXPECT_NEAR(run(in).left.back(), 0.8, 1e-12);
    engine_.setLeveller(0.25, false);
    engine_.suspend();
    EXPECT_NEAR(run(in).left.back(), 0.25, 1e-3);
}

TEST_F(EngineTest, AutoOutCompensatesTheDrive) {
    engine_.setAutoOut(true);
    engine_.setOutputGain(0.125);  // ignored while AutoOut is on
    engine_.setDriveGain(2.0);
    engine_.suspend();
    const Stereo out = run(Stereo{Signal(44100, 0.25), Signal(44100, 0.25)});
    EXPECT_NEAR(out.left.back(), 0.25, 1e-9);  // 0.25 x 2 driven, x 1/2 out
}

TEST_F(EngineTest, DetectorOrderDoesNotChangeTheOutput) {
    const Stereo in = programMaterial(30000, 44100.0);
    const Stereo first = run(in);
    engine_.setDetectorOrder(1);
    engine_.suspend();
    const Stereo second = run(in);
    EXPECT_EQ(first.left, second.left);
    EXPECT_EQ(first.right, second.right);
}

TEST_F(EngineTest, TransShapeRebuildsAndResetsOnlyWhenTheStepChanges) {
    engine_.setSampleRate(192000.0f);
    struct Case {
        int step;
        int kernel;
    };
    for (const Case c : {Case{2, 256}, Case{1, 64}, Case{0, 32}}) {
        EXPECT_TRUE(engine_.setTransShape(c.step));
        EXPECT_EQ(engine_.transShape(), c.step);
        EXPECT_EQ(engine_.kernelLength(), c.kernel);
        EXPECT_EQ(engine_.envelopeDelayLength(), 512 - 2 * c.kernel + 2);
    }
    engine_.setPower(false);
    Stereo impulse{Signal(100), Signal(100)};
    impulse.left[0] = 0.5;
    const Stereo silence{Signal(1000), Signal(1000)};

    run(impulse);
    EXPECT_FALSE(engine_.setTransShape(0));  // same step: the impulse is still in flight
    EXPECT_EQ(run(silence).left[543 - 100], 0.5);

    run(impulse);
    EXPECT_TRUE(engine_.setTransShape(1));  // new step: rebuilt and reset
    const Stereo after = run(silence);
    EXPECT_TRUE(std::all_of(after.left.begin(), after.left.end(), [](double v) { return v == 0.0; }));
}

TEST_F(EngineTest, FloatAndDoubleEntriesAgreeToFloatRounding) {
    Engine floatEngine;
    applyDefaults(floatEngine);
    const int frames = 40000;
    const Stereo in = programMaterial(frames, 44100.0);
    const Stereo expected = run(in);
    std::vector<float> inL(in.left.begin(), in.left.end());
    std::vector<float> inR(in.right.begin(), in.right.end());
    std::vector<float> outL(frames);
    std::vector<float> outR(frames);
    floatEngine.process(inL.data(), inR.data(), outL.data(), outR.data(), frames);
    double largestGain = 0.0;
    for (int t = 0; t < frames; ++t) {
        ASSERT_EQ(outL[t], static_cast<float>(expected.left[t])) << t;
        ASSERT_EQ(outR[t], static_cast<float>(expected.right[t])) << t;
        if (t >= engine_.latency()) largestGain = std::max(largestGain, std::fabs(expected.left[t]));
    }
    EXPECT_GT(largestGain, 0.9);  // the material did reach the ceiling
}

TEST_F(EngineTest, SplittingTheBlockChangesNothing) {
    const int frames = 100000;
    const Stereo in = programMaterial(frames, 44100.0);
    engine_.setOversample(true);
    engine_.setTransShape(1);
    const Stereo whole = run(in);

    Engine pieces;
    applyDefaults(pieces);
    pieces.setOversample(true);
    pieces.setTransShape(1);
    Stereo out{Signal(frames), Signal(frames)};
    const int sizes[] = {1, 0, 7, 16, 33, 1, 129, 1000, 4093};
    int done = 0;
    for (int i = 0; done < frames; ++i) {
        const int n = std::min(sizes[i % std::size(sizes)], frames - done);
        pieces.process(in.left.data() + done, in.right.data() + done, out.left.data() + done, out.right.data() + done, n);
        done += n;
    }
    EXPECT_EQ(out.left, whole.left);
    EXPECT_EQ(out.right, whole.right);
}

TEST_F(EngineTest, EmptyBlockTouchesNothing) {
    Stereo in = programMaterial(5000, 44100.0);
    const Stereo reference = run(in);
    engine_.suspend();
    Stereo first{Signal(2000), Signal(2000)};
    engine_.process(in.left.data(), in.right.data(), first.left.data(), first.right.data(), 2000);
    double untouched = 7.0;
    engine_.process(in.left.data(), in.right.data(), &untouched, &untouched, 0);
    engine_.process(in.left.data(), in.right.data(), &untouched, &untouched, -5);
    EXPECT_EQ(untouched, 7.0);
    Stereo rest{Signal(3000), Signal(3000)};
    engine_.process(in.left.data() + 2000, in.right.data() + 2000, rest.left.data(), rest.right.data(), 3000);
    EXPECT_EQ(rest.left, Signal(reference.left.begin() + 2000, reference.left.end()));
}

TEST_F(EngineTest, NonFiniteInputCountsAsSilence) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Stereo poisoned = programMaterial(20000, 44100.0);
    Stereo cleaned = poisoned;
    for (int t : {100, 101, 5000, 12345}) {
        poisoned.left[t] = nan;
        poisoned.right[t] = t % 2 == 0 ? inf : -inf;
        cleaned.left[t] = cleaned.right[t] = 0.0;
    }
    engine_.setOversample(true);
    engine_.suspend();
    const Stereo out = run(poisoned);
    engine_.suspend();
    const Stereo expected = run(cleaned);
    EXPECT_EQ(out.left, expected.left);
    EXPECT_EQ(out.right, expected.right);
}

TEST_F(EngineTest, HugeFiniteInputStaysFiniteAndTheEngineRecovers) {
    for (double huge : {1e30, -1e30, 1e300, std::numeric_limits<double>::max()}) {
        SCOPED_TRACE(huge);
        engine_.setDriveGain(16.0);
        engine_.setOversample(true);
        engine_.setReleaseMs(1.0);  // the followers release from the spike within a fraction of a second
        engine_.suspend();
        Stereo in = programMaterial(60000, 44100.0);
        for (int t = 1000; t < 1100; ++t) in.left[t] = in.right[t] = huge;
        const Stereo out = run(in);
        for (int t = 0; t < 60000; ++t) {
            ASSERT_TRUE(std::isfinite(out.left[t]) && std::fabs(out.left[t]) <= 1.0) << t;
            ASSERT_TRUE(std::isfinite(out.right[t]) && std::fabs(out.right[t]) <= 1.0) << t;
        }
        // Long after the spike the material is limited normally again, neither stuck nor silent.
        const double tailPeak = std::fabs(*std::max_element(out.left.begin() + 50000, out.left.end(),
                                                            [](double a, double b) { return std::fabs(a) < std::fabs(b); }));
        EXPECT_GT(tailPeak, 0.5);
    }
}

struct RateCase {
    float requested;
    int rate;
    int latency;
    int lookahead;
};

TEST_F(EngineTest, SampleRateEdgeCases) {
    const RateCase cases[] = {
        {4000.0f, 44100, 159, 128},    {200000.0f, 200000, 543, 512}, {200001.0f, 44100, 159, 128},
        {79999.0f, 79999, 159, 128},   {80000.0f, 80000, 287, 256},   {169999.0f, 169999, 287, 256},
        {170000.0f, 170000, 543, 512}, {0.0f, 44100, 159, 128},       {-1.0f, 44100, 159, 128},
        {std::numeric_limits<float>::quiet_NaN(), 44100, 159, 128},   {88200.0f, 88200, 287, 256},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.requested);
        engine_.setSampleRate(c.requested);
        EXPECT_EQ(engine_.sampleRate(), c.rate);
        EXPECT_EQ(engine_.latency(), c.latency);
        EXPECT_EQ(engine_.lookahead(), c.lookahead);
        EXPECT_EQ(engine_.kernelLength(), 8 * c.lookahead / 128);  // hard
    }
}

TEST_F(EngineTest, SettingTheSameRateAgainStillResets) {
    engine_.setSampleRate(48000.0f);
    engine_.setPower(false);
    Stereo impulse{Signal(50), Signal(50)};
    impulse.left[0] = 0.5;
    run(impulse);
    engine_.setSampleRate(48000.0f);
    EXPECT_EQ(engine_.sampleRate(), 48000);
    const Stereo after = run(Stereo{Signal(1000), Signal(1000)});
    EXPECT_TRUE(std::all_of(after.left.begin(), after.left.end(), [](double v) { return v == 0.0; }));
}

TEST_F(EngineTest, InPlaceProcessingAndSharedOutputs) {
    const Stereo in = programMaterial(8000, 44100.0);
    const Stereo expected = run(in);
    engine_.suspend();
    Stereo buffer = in;
    engine_.process(buffer.left.data(), buffer.right.data(), buffer.left.data(), buffer.right.data(), 8000);
    EXPECT_EQ(buffer.left, expected.left);
    EXPECT_EQ(buffer.right, expected.right);

    // One output buffer for both channels ends up holding the left result.
    engine_.suspend();
    Signal shared(8000);
    engine_.process(in.left.data(), in.right.data(), shared.data(), shared.data(), 8000);
    EXPECT_EQ(shared, expected.left);
}

}  // namespace
}  // namespace orv
