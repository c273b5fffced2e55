// The engine's final stage as wired: requantizer after the core, the noise-shaping set chosen by
// NoiseShape and the rate, the shared dither generator, and the calibration path that replaces
// the limiter path for whole blocks.
#include "engine/calibration.h"
#include "engine/dither.h"
#include "engine/engine.h"
#include "engine/meters.h"
#include "engine/noise_shaping_sets.h"
#include "engine/requantizer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace orv {
namespace {

constexpr int kOff = 0, kTypeA = 1, kTypeB = 2, kTypeC = 3;
constexpr int kBits8 = 0, kBits16 = 1, kBits24 = 2;
constexpr int kScaleK14 = 1;

// Quiet passages, exact silence, passages above full scale and moderate ones, in turn.
double testSignal(long t, int channel) {
    const double phase = 2.0 * std::numbers::pi * static_cast<double>(t) / 44100.0 * (channel == 0 ? 440.0 : 613.0);
    switch ((t / 3000) % 4) {
    case 0: return 0.004 * std::sin(phase);
    case 1: return 0.0;
    case 2: return 1.6 * std::sin(phase);
    default: return 0.3 * std::sin(phase + 0.5);
    }
}

struct Step {
    enum Kind { Rate, Shape, Quantize, Calibrate, Suspend, Process } kind;
    int value;  // Hz, NoiseShape step, 0/1, Calibrate step, unused, frames
};

// The final stage rebuilt from the components: with Power off y is the raw input delayed by the
// latency, so the output must be exactly the requantized delayed input.
class OutputStageModel {
public:
    OutputStageModel(int bitsStep, bool autoblack) : bits_(bitsStep), autoblack_(autoblack) {}

    void apply(const Step& step, int latency, long& cursor, std::vector<double>& left, std::vector<double>& right) {
        switch (step.kind) {
        case Step::Rate:
            if (step.value != rate_) {
                rate_ = step.value;
                requantizer_.setSampleRate(rate_);
                set_ = NoiseShapingSets::select(shape_, rate_, set_);
                requantizer_.setFeedbackSet(set_);
            }
            reset();
            break;
        case Step::Shape:
            shape_ = step.value;
            set_ = NoiseShapingSets::select(shape_, rate_, set_);
            shapePending_ = true;
            break;
        case Step::Quantize: quantize_ = step.value != 0; break;
        case Step::Calibrate: calibrate_ = step.value; break;
        case Step::Suspend: reset(); break;
        case Step::Process: process(step.value, latency, cursor, left, right); break;
        }
    }

private:
    void reset() {
        requantizer_.reset();
        generator_.reset();
        calibration_.reset();
        historyL_.clear();
        historyR_.clear();
    }

    void process(int frames, int latency, long& cursor, std::vector<double>& left, std::vector<double>& right) {
        const size_t first = left.size();
        left.resize(first + static_cast<size_t>(frames));
        right.resize(first + static_cast<size_t>(frames));
        if (calibrate_ != 0) {
            calibration_.process(calibrate_, kScaleK14, left.data() + first, right.data() + first, frames,
                                 generator_, scratchMeters_);
            cursor += frames;
            return;
        }
        if (shapePending_) requantizer_.setFeedbackSet(set_);
        shapePending_ = false;
        requantizer_.beginBlock(quantize_, bits_, autoblack_);
        for (int i = 0; i < frames; ++i, ++cursor) {
            historyL_.push_back(testSignal(cursor, 0));
            historyR_.push_back(testSignal(cursor, 1));
            const long n = static_cast<long>(historyL_.size()) - 1 - latency;
            const double yL = n >= 0 ? historyL_[static_cast<size_t>(n)] : 0.0;
            const double yR = n >= 0 ? historyR_[static_cast<size_t>(n)] : 0.0;
            const StereoSample out = requantizer_.process(yL, yR, generator_);
            left[first + static_cast<size_t>(i)] = out.left;
            right[first + static_cast<size_t>(i)] = out.right;
        }
    }

    int bits_;
    bool autoblack_;
    int rate_ = 44100;
    int shape_ = kOff;
    const double* set_ = NoiseShapingSets::zeroSet();
    bool shapePending_ = false;
    bool quantize_ = false;
    int calibrate_ = 0;
    Requantizer requantizer_;
    DitherGenerator generator_;
    CalibrationGenerator calibration_;
    std::array<double, 32> noTaps_{};
    EngineMeters scratchMeters_{noTaps_.data()};
    std::vector<double> historyL_, historyR_;
};

void applyToEngine(Engine& engine, const Step& step, long& cursor, std::vector<double>& left,
                   std::vector<double>& right) {
    switch (step.kind) {
    case Step::Rate: engine.setSampleRate(static_cast<float>(step.value)); break;
    case Step::Shape: engine.setNoiseShape(step.value); break;
    case Step::Quantize: engine.setQuantize(step.value != 0); break;
    case Step::Calibrate: engine.setCalibrate(step.value); break;
    case Step::Suspend: engine.suspend(); break;
    case Step::Process: {
        std::vector<double> inL, inR;
        for (int i = 0; i < step.value; ++i, ++cursor) {
            inL.push_back(testSignal(cursor, 0));
            inR.push_back(testSignal(cursor, 1));
        }
        const size_t first = left.size();
        left.resize(first + inL.size());
        right.resize(first + inL.size());
        engine.process(inL.data(), inR.data(), left.data() + first, right.data() + first, step.value);
        break;
    }
    }
}

struct Session {
    const char* name;
    int bits;
    bool autoblack;
    std::vector<Step> steps;
};

using S = Step;

TEST(EngineOutputStage, MatchesTheComponentsWiredInTheirOrder) {
    const Session sessions[] = {
        {"sets follow NoiseShape at the exact rates; every change restarts the history", kBits16, false,
         {{S::Rate, 44100}, {S::Shape, kTypeA}, {S::Quantize, 1}, {S::Process, 5000}, {S::Shape, kTypeA},
          {S::Process, 3000}, {S::Shape, kOff}, {S::Process, 3000}, {S::Shape, kTypeC}, {S::Process, 4000},
          {S::Rate, 48000}, {S::Process, 4000}, {S::Shape, kTypeB}, {S::Process, 3000}}},
        {"other rates keep the set in use", kBits24, true,
         {{S::Rate, 88200}, {S::Shape, kTypeB}, {S::Quantize, 1}, {S::Process, 4000}, {S::Rate, 50000},
          {S::Process, 4000}, {S::Shape, kTypeC}, {S::Process, 4000}, {S::Shape, kOff}, {S::Process, 2000},
          {S::Shape, kTypeA}, {S::Process, 3000}, {S::Rate, 176400}, {S::Process, 3000}}},
        {"Quantize off and calibration leave the stage as it was; the generator is shared", kBits8, true,
         {{S::Rate, 192000}, {S::Shape, kTypeA}, {S::Quantize, 1}, {S::Process, 4000}, {S::Quantize, 0},
          {S::Process, 3000}, {S::Quantize, 1}, {S::Process, 3000}, {S::Calibrate, 2}, {S::Process, 2000},
          {S::Calibrate, 0}, {S::Process, 3000}, {S::Suspend, 0}, {S::Process, 4000}, {S::Calibrate, 1},
          {S::Shape, kTypeC}, {S::Process, 1000}, {S::Calibrate, 0}, {S::Process, 3000}}},
    };
    for (const Session& session : sessions) {
        SCOPED_TRACE(session.name);
        Engine engine;
        engine.setPower(false);
        engine.setBits(session.bits);
        engine.setAutoblack(session.autoblack);
        engine.setScale(kScaleK14);
        OutputStageModel model(session.bits, session.autoblack);
        std::vector<double> engineL, engineR, modelL, modelR;
        long engineCursor = 0, modelCursor = 0;
        for (const Step& step : session.steps) {
            applyToEngine(engine, step, engineCursor, engineL, engineR);
            model.apply(step, engine.latency(), modelCursor, modelL, modelR);
        }
        ASSERT_EQ(engineL.size(), modelL.size());
        size_t mismatches = 0;
        for (size_t i = 0; i < engineL.size(); ++i) {
            if (engineL[i] != modelL[i] || engineR[i] != modelR[i]) {
                if (mismatches++ == 0) ADD_FAILURE() << "first difference at sample " << i;
            }
        }
        EXPECT_EQ(mismatches, 0u);
    }
}

// Power on: the limiter's own state must come through a calibration interlude unchanged.
TEST(EngineOutputStage, CalibrationLeavesTheLimiterPathUntouchedAndReadsNoInput) {
    auto configure = [](Engine& engine) {
        engine.setDriveGain(4.0);  // the material is limited hard
        engine.setTransient(0.05);
        engine.setTransShape(0);
        engine.setOversample(true);
        engine.setLeveller(1.0, true);
        engine.suspend();
    };
    auto material = [](long from, int frames) {
        std::vector<double> x;
        for (int i = 0; i < frames; ++i) x.push_back(testSignal(from + i, 0));
        return x;
    };
    Engine calibrated, straight;
    configure(calibrated);
    configure(straight);
    constexpr int kFrames = 20000;
    std::vector<double> out(kFrames), outR(kFrames), reference(kFrames), referenceR(kFrames);
    const std::vector<double> before = material(0, kFrames);
    calibrated.process(before.data(), before.data(), out.data(), outR.data(), kFrames);
    straight.process(before.data(), before.data(), reference.data(), referenceR.data(), kFrames);

    calibrated.setCalibrate(2);
    std::vector<double> noiseL(4000, 7.0), noiseR(4000, 7.0);
    calibrated.process(static_cast<const double*>(nullptr), nullptr, noiseL.data(), noiseR.data(), 4000);
    EXPECT_NE(noiseL, noiseR);
    EXPECT_NE(noiseL, std::vector<double>(4000, 7.0));
    calibrated.setCalibrate(0);

    const std::vector<double> after = material(kFrames, kFrames);
    calibrated.process(after.data(), after.data(), out.data(), outR.data(), kFrames);
    straight.process(after.data(), after.data(), reference.data(), referenceR.data(), kFrames);
    EXPECT_EQ(out, reference);
    EXPECT_EQ(outR, referenceR);
}

TEST(EngineOutputStage, EveryResetRestartsTheSameDither) {
    const struct {
        const char* name;
        void (*reset)(Engine&);
    } resets[] = {
        {"suspend", [](Engine& e) { e.suspend(); }},
        {"same sample rate", [](Engine& e) { e.setSampleRate(44100.0f); }},
        {"TransShape change", [](Engine& e) { e.setTransShape(e.transShape() == 0 ? 1 : 0); }},
    };
    Engine engine;
    engine.setQuantize(true);
    engine.setBits(kBits16);
    constexpr int kFrames = 2000;
    const std::vector<float> silence(kFrames, 0.0f);
    std::vector<float> first(kFrames), firstR(kFrames);
    engine.process(silence.data(), silence.data(), first.data(), firstR.data(), kFrames);
    EXPECT_NE(first, silence);  // the dither shows
    for (const auto& r : resets) {
        SCOPED_TRACE(r.name);
        std::vector<float> again(kFrames), againR(kFrames);
        engine.process(silence.data(), silence.data(), again.data(), againR.data(), kFrames);
        EXPECT_NE(again, first);  // without a reset the sequence runs on
        r.reset(engine);
        engine.process(silence.data(), silence.data(), again.data(), againR.data(), kFrames);
        EXPECT_EQ(again, first);
        EXPECT_EQ(againR, firstR);
    }
}

}  // namespace
}  // namespace orv
