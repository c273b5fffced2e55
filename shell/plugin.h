// One plug-in instance: the parameter model, the processing lock, the engine it owns, and through
// its base the program store and the editor object.
#pragma once

#include "engine/engine.h"
#include "platform/settings_store.h"
#include "presets/preset_system_effect.h"
#include "shell/audio_effect.h"
#include "shell/parameters.h"
#include "shell/process_lock.h"

#include <atomic>

namespace orv {

class Editor;

class Plugin : public CPresetSystemEffect {
public:
    // Builds the whole instance under the processing lock: engine, factory programs, metering
    // preferences, editor object, stored default bank, default preset and file locations; ends
    // with program 0 applied. The settings come from the current user's store.
    explicit Plugin(vst::HostCallback host);
    // Frees the engine under the lock; waits for a processing call in progress. The editor object
    // goes last, with the adapter, and writes the file locations.
    ~Plugin() override;

    // UI thread, under the processing lock (1000 ms); a rate change that cannot take it stores
    // nothing.
    void setSampleRate(float rate) override;
    // Engine reset. Called only while no processing call runs; takes no lock.
    void suspend() override;

    // Audio thread. A block whose lock cannot be taken in time is answered with silence.
    void processReplacing(float** inputs, float** outputs, int32_t frames) override;
    void processDoubleReplacing(double** inputs, double** outputs, int32_t frames) override;

    // Any thread, also concurrently with processing. Only TransShape takes the processing lock.
    // Every change also goes into the current program record (unless a whole program is being
    // applied) and to the editor object; both are lock-free stores of relaxed atomics (see
    // CPresetSystemEffect), so the audio thread never waits for the editor thread.
    void setParameter(int32_t index, float value) override;
    // Any thread. 0..21 the stored values, 25 the version marker, the others from the program store.
    float getParameter(int32_t index) override;

    void getParameterLabel(int32_t index, char* text) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;
    bool getParameterProperties(int32_t index, vst::VstParameterProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getPlugCategory() override;
    // UI thread. Answers our own vendor-specific request (shell/vendor_requests.h) and passes
    // every other opcode on; other vendor-specific requests still get 0.
    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    // Editor thread, without the lock.
    virtual MeterSnapshot takeMeterSnapshot();

    Engine& engine() noexcept { return engine_; }

private:
    // Applies x to the engine for index; x is already within 0..1.
    void applyToEngine(int32_t index, float x, int32_t step);
    bool applyTransShape(float value, int32_t step);
    // Settings stored with an older parameter layout are brought to the current one.
    void convertLegacySettings(float marker);

    template <typename Sample>
    void process(Sample** inputs, Sample** outputs, int32_t frames);

    ProcessLock lock_;
    Engine engine_;
    std::atomic<float> values_[kNumEngineParams] = {};
    Editor* editor_ = nullptr;  // owned by the adapter; null when it could not be made
};

}  // namespace orv
