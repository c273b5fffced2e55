// The plug-in's editor object. It exists from the plug-in's construction to its end; for now it
// has no window: open answers false and the parameter mirror only keeps the last values, which
// the window's controls will start from.
#pragma once

#include "presets/preset_system_editor.h"
#include "shell/parameters.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace orv {

class Editor : public CPresetSystemEditor {
public:
    Editor(CPresetSystemEffect* effect, SettingsStore store);

    // UI thread. The fixed 524 x 462 rectangle.
    bool getRect(vst::ERect** rect) override;
    // UI thread. No window yet: open fails, the others have nothing to do.
    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    bool onKeyDown(int32_t character, intptr_t virtualKey, int32_t modifiers) override;
    bool onKeyUp(int32_t character, intptr_t virtualKey, int32_t modifiers) override;

    // Any thread, also the audio and automation threads: lock-free and allocation-free. Keeps the
    // value of parameter index (0..25; others ignored) for the controls.
    void setParameter(int32_t index, float value) noexcept;
    float parameterValue(int32_t index) const noexcept;

    // Any thread. The processing latency in samples that the information panel shows.
    void setLatency(int32_t samples) noexcept { latency_.store(samples, std::memory_order_relaxed); }
    int32_t latency() const noexcept { return latency_.load(std::memory_order_relaxed); }

    // UI thread. Writes the six metering preferences of the current parameter values.
    void saveMeteringPreferences();

private:
    vst::ERect rect_{0, 0, 462, 524};
    std::atomic<int32_t> latency_{0};
    std::array<std::atomic<float>, kNumParams> parameters_{};
};

}  // namespace orv
