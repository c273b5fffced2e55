// The requantizer, the meters and the calibration generator where a host meets them: through
// build/orvbrivo.so, its parameters, its processing entries and its meter snapshot request.
#include "engine/meter_snapshot.h"
#include "host/vst_host.h"
#include "shell/parameters.h"
#include "shell/vendor_requests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace orv {
namespace {

using host::HostAnswers;
using host::HostedPlugin;
using host::PluginModule;

constexpr int kBlock = 1764;  // 40 ms at 44.1 kHz: one editor idle
constexpr float kSentinel = 7.0f;

const PluginModule& module() {
    static const PluginModule loaded(ORV_PLUGIN_PATH);
    return loaded;
}

class HostedEngine {
public:
    explicit HostedEngine(bool rightOutputConnected = true) {
        HostAnswers answers;
        answers.pinConnected = rightOutputConnected ? 0 : 1;  // 0 means connected
        plugin_ = HostedPlugin::create(module(), answers);
        if (!plugin_) return;
        plugin_->dispatch(vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        // Neutral settings: 0 dB drive and output, levelling off, no requantizing, no calibration.
        set(Output, 1.0f);
        set(Drive, 0.5f);
        set(Leveller, 1.0f);
        setStep(AutoOut, 0, 2);
        setStep(Power, 1, 2);
        setStep(Quantize, 0, 2);
        setStep(Autoblack, 0, 2);
        setStep(Calibrate, 0, 4);
        setStep(NoiseShape, 0, 4);
        setStep(PostMeter, 1, 2);
        setStep(MeterOvs, 0, 2);
        plugin_->dispatch(vst::effMainsChanged, 0, 0);
        plugin_->dispatch(vst::effMainsChanged, 0, 1);
    }

    bool ready() const { return plugin_ != nullptr; }
    void set(ParamIndex index, float value) const { plugin_->setParameter(index, value); }
    void setStep(ParamIndex index, int step, int count) const { set(index, stepToValue(step, count)); }

    // One block of 32-bit samples; the outputs start as kSentinel.
    void process(const std::vector<float>& inL, const std::vector<float>& inR, std::vector<float>& outL,
                 std::vector<float>& outR) const {
        outL.assign(inL.size(), kSentinel);
        outR.assign(inL.size(), kSentinel);
        std::vector<float> left = inL, right = inR;
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {outL.data(), outR.data()};
        plugin_->process(inputs, outputs, static_cast<int32_t>(inL.size()));
    }

    MeterSnapshot snapshot() const {
        MeterSnapshot s{};
        EXPECT_EQ(plugin_->dispatch(vst::effVendorSpecific, kMeterSnapshotRequest, 0, &s), 1);
        return s;
    }

private:
    std::unique_ptr<HostedPlugin> plugin_;
};

class EngineAbi : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(module().loaded()) << module().error(); }
};

std::vector<float> sine(int frames, double amplitude, double hz, long from = 0) {
    std::vector<float> x(static_cast<size_t>(frames));
    for (int t = 0; t < frames; ++t) {
        x[static_cast<size_t>(t)] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(from + t) / 44100.0));
    }
    return x;
}

TEST_F(EngineAbi, QuantizedSilenceAt16BitsIsZeroOrMinusOneLsb) {
    HostedEngine host;
    ASSERT_TRUE(host.ready());
    host.setStep(Quantize, 1, 2);
    host.setStep(Bits, 1, 3);
    const std::vector<float> silence(kBlock, 0.0f);
    std::vector<float> outL, outR;
    long zeros = 0, minusOne = 0, others = 0;
    for (int block = 0; block < 20; ++block) {
        host.process(silence, silence, outL, outR);
        for (const std::vector<float>* out : {&outL, &outR}) {
            for (float v : *out) {
                if (v == 0.0f) ++zeros;
                else if (v == -1.0f / 32768.0f) ++minusOne;
                else ++others;
            }
        }
    }
    EXPECT_EQ(others, 0);
    EXPECT_GT(zeros, 1000);
    EXPECT_GT(minusOne, 1000);
}

TEST_F(EngineAbi, MeterSnapshotsCoverTheSamplesSinceTheLastRequest) {
    HostedEngine host;
    ASSERT_TRUE(host.ready());
    std::vector<float> outL, outR;
    host.process(std::vector<float>(kBlock, 0.0f), std::vector<float>(kBlock, 0.0f), outL, outR);
    const MeterSnapshot rest = host.snapshot();
    EXPECT_EQ(rest.inputPeak[0], 0.0f);
    EXPECT_EQ(rest.outputRms[1], 0.0f);
    EXPECT_EQ(rest.gainHold[0], 1.0f);

    host.set(Drive, 1.0f);  // +24 dB: the limiter works hard
    const std::vector<float> x = sine(20 * kBlock, 0.5, 300.0);
    host.process(x, x, outL, outR);
    const MeterSnapshot loud = host.snapshot();
    const MeterSnapshot again = host.snapshot();
    EXPECT_NEAR(loud.inputPeak[0], 0.5f, 0.01f);  // "post": the raw input
    EXPECT_NEAR(loud.outputPeak[1], 1.0f, 0.01f);
    EXPECT_LT(loud.gainHold[0], 0.2f);
    EXPECT_EQ(again.gainHold[0], loud.gainHold[0]);
    EXPECT_EQ(again.outputRms[0], loud.outputRms[0]);

    host.setStep(Power, 0, 2);
    host.process(x, x, outL, outR);
    const MeterSnapshot bypassed = host.snapshot();
    EXPECT_EQ(bypassed.gainHold[0], 1.0f);
    EXPECT_EQ(bypassed.gainHold[1], 1.0f);
    EXPECT_NEAR(bypassed.outputPeak[0], 0.5f, 0.01f);
}

// The host connects only output 0: the single output carries what the left channel would, the
// second buffer is never written.
TEST_F(EngineAbi, CalibrationWithOneConnectedOutput) {
    struct Case {
        int mode;  // Calibrate step
        bool noiseOnTheOutput;
    };
    for (const Case c : {Case{1, true}, Case{2, true}, Case{3, false}}) {
        SCOPED_TRACE(c.mode);
        HostedEngine host(false);
        ASSERT_TRUE(host.ready());
        host.setStep(Calibrate, c.mode, 4);
        std::vector<float> outL, outR;
        const std::vector<float> x = sine(kBlock, 0.9, 1000.0);
        host.process(x, x, outL, outR);
        EXPECT_EQ(outR, std::vector<float>(kBlock, kSentinel));
        double energy = 0.0;
        for (float v : outL) energy += static_cast<double>(v) * v;
        if (c.noiseOnTheOutput) {
            EXPECT_GT(energy, 0.0);
        } else {
            EXPECT_EQ(energy, 0.0);
        }
    }
}

TEST_F(EngineAbi, CalibrationIgnoresTheInput) {
    HostedEngine quiet, loud;
    ASSERT_TRUE(quiet.ready() && loud.ready());
    std::mt19937 random(5);
    std::uniform_real_distribution<float> noise(-4.0f, 4.0f);
    for (int mode = 1; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        quiet.setStep(Calibrate, mode, 4);
        loud.setStep(Calibrate, mode, 4);
        std::vector<float> garbage(kBlock);
        for (float& v : garbage) v = noise(random);
        std::vector<float> quietL, quietR, loudL, loudR;
        quiet.process(std::vector<float>(kBlock, 0.0f), std::vector<float>(kBlock, 0.0f), quietL, quietR);
        loud.process(garbage, garbage, loudL, loudR);
        EXPECT_EQ(quietL, loudL);
        EXPECT_EQ(quietR, loudR);
        const MeterSnapshot a = quiet.snapshot(), b = loud.snapshot();
        for (int ch = 0; ch < 2; ++ch) {
            EXPECT_EQ(a.inputPeak[ch], b.inputPeak[ch]);
            EXPECT_EQ(a.inputRms[ch], b.inputRms[ch]);
            EXPECT_EQ(a.outputPeak[ch], b.outputPeak[ch]);
            EXPECT_EQ(a.outputRms[ch], b.outputRms[ch]);
        }
    }
}

// A single snapshot wanders by several per cent; the average over 30 s of editor idles does not.
TEST_F(EngineAbi, CalibrationSnapshotsAverageToTheReferenceLevelOfTheScale) {
    struct Case {
        int scale;
        double rms;
    };
    for (const Case c : {Case{2, 0.1}, Case{1, 0.2}, Case{0, 0.2512}}) {
        SCOPED_TRACE(c.scale);
        HostedEngine host;
        ASSERT_TRUE(host.ready());
        host.setStep(Scale, c.scale, 3);
        host.setStep(Calibrate, 2, 4);  // both channels, uncorrelated
        const std::vector<float> silence(kBlock, 0.0f);
        std::vector<float> outL, outR;
        double sum[2] = {0.0, 0.0};
        const int idles = 30 * 44100 / kBlock;
        for (int i = 0; i < idles; ++i) {
            host.process(silence, silence, outL, outR);
            const MeterSnapshot s = host.snapshot();
            EXPECT_EQ(s.inputRms[0], s.outputRms[0]);
            for (int ch = 0; ch < 2; ++ch) sum[ch] += s.outputRms[ch];
        }
        EXPECT_NEAR(sum[0] / idles, c.rms, 0.02 * c.rms);
        EXPECT_NEAR(sum[1] / idles, c.rms, 0.02 * c.rms);
    }
}

}  // namespace
}  // namespace orv
