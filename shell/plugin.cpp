#include "shell/plugin.h"

#include "editor/editor.h"
#include "presets/metering_preferences.h"
#include "shell/vendor_requests.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace orv {
namespace {

constexpr int32_t kUniqueId = vst::fourCharCode('O', 'b', 'r', 'v');
constexpr float kFloatStep = 0.0001f;

// Construction state before program 0 is applied; never seen from outside.
constexpr float kInitialValues[kNumEngineParams] = {
    1.0f, 0.5f, 0.0f, 0.0f, 0.8333334f, 1.0f, 0.0f, 0.0f, 1.0f, 0.5f, 0.5f,
    0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.9375f, 0.0f,
};

template <typename Sample>
void writeSilence(Sample* left, Sample* right, int32_t frames) {
    std::fill(right, right + frames, Sample(0));
    std::fill(left, left + frames, Sample(0));
}

}  // namespace

Plugin::Plugin(vst::HostCallback host) : CPresetSystemEffect(host) {
    lock_.acquire(0);
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(kUniqueId);
    canProcessReplacing(true);
    canDoubleReplacing(true);
    setInitialDelay(engine_.latency());
    for (int32_t i = 0; i < kNumEngineParams; ++i) values_[i].store(kInitialValues[i], std::memory_order_relaxed);
    engine_.suspend();

    installFactoryPresets();
    SettingsStore store = SettingsStore::forCurrentUser();
    loadMeteringPreferences(store, *this);
    editor_ = new (std::nothrow) Editor(this, std::move(store));
    if (editor_) editor_->setLatency(engine_.latency());
    restoreEditorPresetState();
    selectProgram(0);
    lock_.release();
}

Plugin::~Plugin() {
    // The engine's buffers go with the member; wait here for a block in progress first.
    lock_.acquire(0);
    lock_.release();
}

void Plugin::setSampleRate(float rate) {
    ScopedProcessLock scoped(lock_, kProcessLockTimeoutMs);
    if (!scoped.owned()) return;
    AudioEffectX::setSampleRate(rate);
    engine_.setSampleRate(rate);
    setInitialDelay(engine_.latency());
    if (editor_) editor_->setLatency(engine_.latency());
}

void Plugin::suspend() { engine_.suspend(); }

template <typename Sample>
void Plugin::process(Sample** inputs, Sample** outputs, int32_t frames) {
    if (frames <= 0 || !outputs || !outputs[0]) return;
    ScopedProcessLock scoped(lock_, kProcessLockTimeoutMs);
    Sample* outL = outputs[0];
    if (!scoped.owned()) {
        writeSilence(outL, outputs[1] ? outputs[1] : outL, frames);
        return;
    }
    Sample* outR = outputs[1] && isOutputConnected(1) ? outputs[1] : outL;
    // The calibration noise ignores the inputs, so only the output pin is asked about then. The
    // real inputs are passed either way: the engine reads Calibrate once more for itself.
    const Sample* inL = inputs ? inputs[0] : nullptr;
    const Sample* inR = inL;
    if (inL && !engine_.calibrating() && inputs[1] && isInputConnected(1)) inR = inputs[1];
    engine_.process(inL, inR, outL, outR, frames);
}

void Plugin::processReplacing(float** inputs, float** outputs, int32_t frames) {
    process(inputs, outputs, frames);
}

void Plugin::processDoubleReplacing(double** inputs, double** outputs, int32_t frames) {
    process(inputs, outputs, frames);
}

bool Plugin::applyTransShape(float value, int32_t step) {
    ScopedProcessLock scoped(lock_, kProcessLockTimeoutMs);
    if (!scoped.owned()) return false;  // step, lengths and kernel keep agreeing
    values_[TransShape].store(value, std::memory_order_relaxed);
    engine_.setTransShape(step);
    return true;
}

void Plugin::applyToEngine(int32_t index, float x, int32_t step) {
    switch (index) {
    case Output: engine_.setOutputGain(outputGain(x)); break;
    case Drive: engine_.setDriveGain(driveGain(x)); break;
    case Transient: engine_.setTransient(transientWeight(x)); break;
    case Release: engine_.setReleaseMs(releaseMs(x)); break;
    case LRLink: engine_.setLink(x); break;
    case Oversample: engine_.setOversample(step == 1); break;
    case DetectorOrder: engine_.setDetectorOrder(step); break;
    case Power: engine_.setPower(step == 1); break;
    case Scale: engine_.setScale(step); break;
    case Bits: engine_.setBits(step); break;
    case NoiseShape: engine_.setNoiseShape(step); break;
    case Calibrate: engine_.setCalibrate(step); break;
    case Leveller: engine_.setLeveller(levellerThreshold(x), x == 1.0f); break;
    case MeterOvs: engine_.setMeterOvs(step == 1); break;
    case AutoOut: engine_.setAutoOut(step == 1); break;
    case Quantize: engine_.setQuantize(step == 1); break;
    case Autoblack: engine_.setAutoblack(step == 1); break;
    case AttShow:
        engine_.setAttShow(step);
        engine_.resetDisplayedGain();
        break;
    case PostMeter: engine_.setPostMeter(step == 1); break;
    default: break;  // MeterType and AttZoom are the editor's alone
    }
}

void Plugin::setParameter(int32_t index, float value) {
    if (index >= 0 && index < kNumEngineParams) {
        const float x = clampNormalised(value);
        const ParameterInfo& info = parameterInfo(index);
        const int32_t step = info.steps > 0 ? valueToStep(x, info.steps) : 0;
        if (index == TransShape) {
            if (!applyTransShape(value, step)) return;
        } else {
            values_[index].store(value, std::memory_order_relaxed);
            applyToEngine(index, x, step);
        }
    } else if (index == ResvdVid) {
        convertLegacySettings(value);
    }
    // The program store and the editor take relaxed atomic stores only: no lock, no allocation.
    if (!applyingProgram()) CPresetSystemEffect::setParameter(index, value);
    if (editor_) editor_->setParameter(index, value);
}

float Plugin::getParameter(int32_t index) {
    if (index >= 0 && index < kNumEngineParams) return values_[index].load(std::memory_order_relaxed);
    if (index == ResvdVid) return kSettingsVersionMarker;
    if (index < 0) return 0.0f;
    return CPresetSystemEffect::getParameter(index);  // 22..24 from the current record, -1 above 25
}

void Plugin::convertLegacySettings(float marker) {
    if (valueToStep(marker, 100) != 0) return;
    setParameter(Autoblack, stepToValue(0, 2));
    const int32_t oldBits = valueToStep(getParameter(Bits), 4);
    if (oldBits != 0) {
        setParameter(Quantize, stepToValue(1, 2));
        setParameter(Bits, stepToValue(oldBits - 1, 3));
    } else {
        setParameter(Quantize, stepToValue(0, 2));
        setParameter(Bits, stepToValue(1, 3));
    }
    setParameter(AttShow, stepToValue(7, 8));
    setParameter(AttZoom, stepToValue(0, 2));
    setParameter(PostMeter, stepToValue(1, 2));
    const int32_t oldScale = valueToStep(getParameter(Scale), 4);
    if (oldScale == 0) {
        setParameter(MeterType, stepToValue(0, 2));
        setParameter(Scale, stepToValue(1, 3));
    } else {
        setParameter(MeterType, stepToValue(1, 2));
        setParameter(Scale, stepToValue(oldScale - 1, 3));
    }
}

void Plugin::getParameterLabel(int32_t index, char* text) {
    if (index < 0 || index >= kNumParams) return;
    if (const char* label = parameterInfo(index).label) copyString(text, label, 13);
}

void Plugin::getParameterDisplay(int32_t index, char* text) {
    if (index < 0 || index >= kNumEngineParams) return;
    parameterDisplay(index, getParameter(index), text);
}

void Plugin::getParameterName(int32_t index, char* text) {
    if (index < 0 || index >= kNumParams) return;
    copyString(text, parameterInfo(index).name, 32);
}

bool Plugin::getParameterProperties(int32_t, vst::VstParameterProperties* properties) {
    properties->stepFloat = kFloatStep;
    properties->flags = vst::kVstParameterUsesFloatStep;
    return true;
}

bool Plugin::getEffectName(char* name) {
    copyString(name, "Orv Brivo", vst::kVstMaxEffectNameLen);
    return true;
}

bool Plugin::getVendorString(char* text) {
    copyString(text, "orvmark.com", vst::kVstMaxVendorStrLen);
    return true;
}

bool Plugin::getProductString(char* text) {
    copyString(text, "Full band precision limiter", vst::kVstMaxProductStrLen);
    return true;
}

int32_t Plugin::getPlugCategory() { return vst::kPlugCategMastering; }

intptr_t Plugin::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    if (opcode == vst::effVendorSpecific && index == kMeterSnapshotRequest && ptr) {
        *static_cast<MeterSnapshot*>(ptr) = takeMeterSnapshot();
        return 1;
    }
    return CPresetSystemEffect::dispatcher(opcode, index, value, ptr, opt);
}

MeterSnapshot Plugin::takeMeterSnapshot() { return engine_.takeMeterSnapshot(); }

}  // namespace orv
