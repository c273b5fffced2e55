#include "presets/metering_preferences.h"

#include <algorithm>

namespace orv {

void loadMeteringPreferences(const SettingsStore& store, AudioEffect& effect) {
    const auto key = store.openKey(kPreferencesKey);
    if (!key) return;
    for (const MeteringPreference& preference : kMeteringPreferences) {
        const auto stored = key->queryDword(preference.valueName);
        if (!stored) continue;
        const uint32_t last = static_cast<uint32_t>(preference.steps - 1);
        const auto step = static_cast<int32_t>(std::min(*stored, last));
        effect.setParameter(preference.parameter, stepToValue(step, preference.steps));
    }
}

bool saveMeteringPreferences(const SettingsStore& store, AudioEffect& effect) {
    const auto key = store.createKey(kPreferencesKey);
    if (!key) return false;
    bool written = true;
    for (const MeteringPreference& preference : kMeteringPreferences) {
        const int32_t step = valueToStep(effect.getParameter(preference.parameter), preference.steps);
        written = key->setDword(preference.valueName, static_cast<uint32_t>(step)) && written;
    }
    return written;
}

}  // namespace orv
