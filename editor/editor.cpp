#include "editor/editor.h"

#include "presets/metering_preferences.h"

namespace orv {

Editor::Editor(CPresetSystemEffect* effect, SettingsStore store) : CPresetSystemEditor(effect, std::move(store)) {}

bool Editor::getRect(vst::ERect** rect) {
    *rect = &rect_;
    return true;
}

bool Editor::open(void*) { return false; }
void Editor::close() {}
void Editor::idle() {}
bool Editor::onKeyDown(int32_t, intptr_t, int32_t) { return false; }
bool Editor::onKeyUp(int32_t, intptr_t, int32_t) { return false; }

void Editor::setParameter(int32_t index, float value) noexcept {
    if (index < 0 || index >= kNumParams) return;
    parameters_[index].store(value, std::memory_order_relaxed);
}

float Editor::parameterValue(int32_t index) const noexcept {
    if (index < 0 || index >= kNumParams) return 0.0f;
    return parameters_[index].load(std::memory_order_relaxed);
}

void Editor::saveMeteringPreferences() { orv::saveMeteringPreferences(store(), *effect()); }

}  // namespace orv
