#include "engine/engine.h"

#include "engine/calibration.h"
#include "engine/dither.h"
#include "engine/engine_lengths.h"
#include "engine/limiter_core.h"
#include "engine/meters.h"
#include "engine/noise_shaping_sets.h"
#include "engine/requantizer.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace orv {
namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
constexpr double kInputCeiling = 1e30;
constexpr int kDefaultShapeStep = static_cast<int>(TransShape::Soft);
constexpr double kDefaultReleaseMs = 200.0;

// Non-finite samples become silence (one NaN would otherwise poison every state for good); finite
// ones are bounded so that drive and leveller can never overflow.
inline double sanitizedInput(double x) noexcept {
    if (std::fabs(x) <= kInputCeiling) return x;
    return std::isnan(x) || std::isinf(x) ? 0.0 : std::copysign(kInputCeiling, x);
}

void storeLadder(std::array<std::atomic<double>, kFollowerCount>& target, const Ladder& values) noexcept {
    for (int k = 0; k < kFollowerCount; ++k) target[k].store(values[k], kRelaxed);
}

Ladder loadLadder(const std::array<std::atomic<double>, kFollowerCount>& source) noexcept {
    Ladder values{};
    for (int k = 0; k < kFollowerCount; ++k) values[k] = source[k].load(kRelaxed);
    return values;
}

}  // namespace

struct Engine::State {
    // Parameter store: written from any thread, read by the audio thread at block start.
    std::atomic<double> driveTarget{1.0};
    std::atomic<double> outputTarget{1.0};
    std::atomic<double> transient{0.0};
    std::atomic<double> releaseMs{kDefaultReleaseMs};
    std::atomic<double> link{1.0};
    std::atomic<double> levellerThreshold{0.5};
    std::atomic<bool> levellerOff{false};
    std::atomic<bool> oversample{false};
    std::atomic<bool> secondOrder{false};
    std::atomic<bool> power{true};
    std::atomic<bool> autoOut{false};
    std::atomic<int> attShow{7};
    std::array<std::atomic<double>, kFollowerCount> attack{};
    std::array<std::atomic<double>, kFollowerCount> release{};
    std::atomic<double> rate{kFallbackRate};

    // Read at block start by the requantizer, the meters and the calibration generator.
    std::atomic<int> scale{1};
    std::atomic<int> bits{1};
    std::atomic<int> noiseShape{0};
    std::atomic<int> calibrate{0};
    std::atomic<bool> meterOvs{false};
    std::atomic<bool> quantize{false};
    std::atomic<bool> autoblack{false};
    std::atomic<bool> postMeter{false};

    // Rate-dependent values and lengths: changed only under the processing lock.
    int rateInt = kFallbackRate;
    int shift = 0;
    int shapeStep = kDefaultShapeStep;
    double smoother = gainSmootherCoefficient(kFallbackRate);
    double levellerCoef = levellerCoefficient(kFallbackRate);

    // The noise-shaping set in use. A NoiseShape change selects it on the caller's thread and
    // counts the change; the audio thread hands it to the requantizer at the next block start
    // (which also restarts the history position), as a rate change does under the lock.
    std::atomic<const double*> shapingSet{NoiseShapingSets::zeroSet()};
    std::atomic<unsigned> shapingChanges{0};
    const double* appliedShapingSet = NoiseShapingSets::zeroSet();
    unsigned appliedShapingChanges = 0;

    LimiterCore core;
    EngineMeters meters{core.halfbandTaps()};
    DitherGenerator dither;  // shared by the requantizer's dither and the calibration noise
    Requantizer requantizer;
    CalibrationGenerator calibration;

    State() noexcept {
        storeLadder(attack, attackLadder(kFallbackRate));
        storeLadder(release, releaseLadder(kDefaultReleaseMs, kFallbackRate));
        core.configure(lookaheadLength(shift), orv::kernelLength(shapeStep, shift));
    }

    CoreSettings blockSettings() const noexcept {
        CoreSettings s;
        s.driveTarget = driveTarget.load(kRelaxed);
        s.outputTarget = autoOut.load(kRelaxed) ? 1.0 / s.driveTarget : outputTarget.load(kRelaxed);
        s.smoother = smoother;
        s.transient = transient.load(kRelaxed);
        s.link = link.load(kRelaxed);
        s.levellerThreshold = levellerThreshold.load(kRelaxed);
        s.levellerCoefficient = levellerCoef;
        s.levellerActive = !levellerOff.load(kRelaxed);
        s.oversample = oversample.load(kRelaxed);
        s.secondOrder = secondOrder.load(kRelaxed);
        s.power = power.load(kRelaxed);
        const int show = attShow.load(kRelaxed);
        s.showFollowers = (show & 1) != 0 ? 1.0 : 0.0;
        s.showTransient = (show & 2) != 0 ? 1.0 : 0.0;
        s.showLeveller = (show & 4) != 0 ? 1.0 : 0.0;
        s.attack = loadLadder(attack);
        s.release = loadLadder(release);
        return s;
    }

    void reset() noexcept {
        core.reset(driveTarget.load(kRelaxed), outputTarget.load(kRelaxed));
        meters.reset();
        requantizer.reset();
        dither.reset();
        calibration.reset();
    }

    // Audio thread at block start, or under the lock.
    void applyShapingSet() noexcept {
        appliedShapingChanges = shapingChanges.load(kRelaxed);
        appliedShapingSet = shapingSet.load(kRelaxed);
        requantizer.setFeedbackSet(appliedShapingSet);
    }

    // Audio thread at block start. The two loads may see a change half-way; the other half is
    // then picked up one block later.
    void applyShapingChange() noexcept {
        if (shapingChanges.load(kRelaxed) != appliedShapingChanges ||
            shapingSet.load(kRelaxed) != appliedShapingSet) {
            applyShapingSet();
        }
    }

    // NoiseShape step for the rate in whole Hz; any thread.
    void selectShapingSet(int step, int rateHz) noexcept {
        shapingSet.store(NoiseShapingSets::select(step, rateHz, shapingSet.load(kRelaxed)), kRelaxed);
    }

    template <typename Sample>
    void run(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int frames) noexcept {
        if (frames <= 0 || outL == nullptr) return;
        if (outR == nullptr) outR = outL;
        if (const int step = calibrate.load(kRelaxed); step != 0) {
            // The noise replaces the whole path, whose state stays as it is. A right output that
            // is the left one counts as absent: writing it first would be overwritten anyway.
            calibration.process(step, scale.load(kRelaxed), outL, outR == outL ? nullptr : outR, frames,
                                dither, meters);
            return;
        }
        if (inL == nullptr) {
            // No input at all: the host still gets a fully written block.
            std::fill(outR, outR + frames, Sample(0));
            std::fill(outL, outL + frames, Sample(0));
            return;
        }
        if (inR == nullptr) inR = inL;
        const CoreSettings settings = blockSettings();
        applyShapingChange();
        meters.beginBlock(postMeter.load(kRelaxed) ? 1.0 : core.currentDrive(), meterOvs.load(kRelaxed));
        requantizer.beginBlock(quantize.load(kRelaxed), bits.load(kRelaxed), autoblack.load(kRelaxed));
        for (int i = 0; i < frames; ++i) {
            // Both inputs are read before any output is written: the host may process in place.
            const double xL = sanitizedInput(static_cast<double>(inL[i]));
            const double xR = sanitizedInput(static_cast<double>(inR[i]));
            const CoreFrame f = core.process(xL, xR, settings);
            // The meters see y before the requantizer: neither dither nor the clip shows in them.
            meters.update(f.input[0], f.input[1], f.output[0], f.output[1], f.displayed[0], f.displayed[1]);
            Requantizer::store(requantizer.process(f.output[0], f.output[1], dither), outL[i], outR[i]);
        }
    }
};

Engine::Engine(bool /*vectorForm: the scalar form serves both until the vector form exists*/)
    : state_(std::make_unique<State>()) {
    suspend();
}

Engine::~Engine() = default;

void Engine::setSampleRate(float rate) noexcept {
    State& s = *state_;
    const int r = validSampleRate(rate);
    if (r != s.rateInt) {
        s.rateInt = r;
        const double fs = r;
        s.rate.store(fs, kRelaxed);
        s.shift = rateShift(fs);
        storeLadder(s.release, releaseLadder(s.releaseMs.load(kRelaxed), fs));
        storeLadder(s.attack, attackLadder(fs));
        s.smoother = gainSmootherCoefficient(fs);
        s.levellerCoef = levellerCoefficient(fs);
        s.meters.setSampleRate(fs);
        s.requantizer.setSampleRate(fs);
        s.selectShapingSet(s.noiseShape.load(kRelaxed), r);
        s.applyShapingSet();
        s.core.configure(lookaheadLength(s.shift), orv::kernelLength(s.shapeStep, s.shift));
    }
    s.reset();
}

int Engine::sampleRate() const noexcept { return state_->rateInt; }
int Engine::latency() const noexcept { return latencyFor(state_->shift); }
int Engine::lookahead() const noexcept { return state_->core.lookahead(); }
int Engine::kernelLength() const noexcept { return state_->core.kernel(); }
int Engine::envelopeDelayLength() const noexcept { return state_->core.envelopeDelay(); }

void Engine::suspend() noexcept { state_->reset(); }

void Engine::setOutputGain(double gain) noexcept { state_->outputTarget.store(gain, kRelaxed); }
void Engine::setDriveGain(double gain) noexcept { state_->driveTarget.store(gain, kRelaxed); }

void Engine::setTransient(double weight) noexcept {
    state_->transient.store(weight, kRelaxed);
    storeLadder(state_->attack, attackLadder(state_->rate.load(kRelaxed)));
}

void Engine::setReleaseMs(double ms) noexcept {
    state_->releaseMs.store(ms, kRelaxed);
    storeLadder(state_->release, releaseLadder(ms, state_->rate.load(kRelaxed)));
}

void Engine::setLink(double amount) noexcept { state_->link.store(amount, kRelaxed); }
void Engine::setOversample(bool on) noexcept { state_->oversample.store(on, kRelaxed); }
void Engine::setDetectorOrder(int step) noexcept { state_->secondOrder.store(step != 0, kRelaxed); }
void Engine::setPower(bool on) noexcept { state_->power.store(on, kRelaxed); }
void Engine::setScale(int step) noexcept { state_->scale.store(step, kRelaxed); }
void Engine::setBits(int step) noexcept { state_->bits.store(step, kRelaxed); }
void Engine::setNoiseShape(int step) noexcept {
    State& s = *state_;
    s.noiseShape.store(step, kRelaxed);
    s.selectShapingSet(step, static_cast<int>(s.rate.load(kRelaxed)));
    s.shapingChanges.fetch_add(1, kRelaxed);
}
void Engine::setCalibrate(int step) noexcept { state_->calibrate.store(step, kRelaxed); }

void Engine::setLeveller(double threshold, bool off) noexcept {
    state_->levellerThreshold.store(threshold, kRelaxed);
    state_->levellerOff.store(off, kRelaxed);
}

void Engine::setMeterOvs(bool on) noexcept { state_->meterOvs.store(on, kRelaxed); }
void Engine::setAutoOut(bool on) noexcept { state_->autoOut.store(on, kRelaxed); }
void Engine::setQuantize(bool on) noexcept { state_->quantize.store(on, kRelaxed); }
void Engine::setAutoblack(bool on) noexcept { state_->autoblack.store(on, kRelaxed); }
void Engine::setPostMeter(bool post) noexcept { state_->postMeter.store(post, kRelaxed); }
void Engine::setAttShow(int components) noexcept { state_->attShow.store(components & 7, kRelaxed); }

void Engine::resetDisplayedGain() noexcept { state_->meters.resetGainHolds(); }

bool Engine::setTransShape(int step) noexcept {
    State& s = *state_;
    step = std::clamp(step, 0, 2);
    if (step == s.shapeStep) return false;
    s.shapeStep = step;
    s.core.configure(lookaheadLength(s.shift), orv::kernelLength(step, s.shift));
    s.reset();
    return true;
}

int Engine::transShape() const noexcept { return state_->shapeStep; }

bool Engine::calibrating() const noexcept { return state_->calibrate.load(kRelaxed) != 0; }

void Engine::process(const float* inL, const float* inR, float* outL, float* outR, int frames) noexcept {
    state_->run(inL, inR, outL, outR, frames);
}

void Engine::process(const double* inL, const double* inR, double* outL, double* outR, int frames) noexcept {
    state_->run(inL, inR, outL, outR, frames);
}

MeterSnapshot Engine::takeMeterSnapshot() noexcept { return state_->meters.takeSnapshot(); }

}  // namespace orv
