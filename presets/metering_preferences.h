// The six metering preferences kept per user: stored as setting indices in the PREFS key, applied
// to and read from the plug-in's parameters.
#pragma once

#include "platform/settings_store.h"
#include "shell/audio_effect.h"
#include "shell/parameters.h"

#include <cstdint>
#include <string_view>

namespace orv {

inline constexpr std::string_view kPreferencesKey = "PREFS";

struct MeteringPreference {
    const char* valueName;
    int32_t parameter;
    int32_t steps;
};

// In the order they are read and written.
inline constexpr MeteringPreference kMeteringPreferences[] = {
    {"Metering_Scale", Scale, 3},  {"Metering_Type", MeterType, 2}, {"Metering_Zoom", AttZoom, 2},
    {"Metering_AttShow", AttShow, 8}, {"Metering_Recon", MeterOvs, 2}, {"Metering_Post", PostMeter, 2},
};

// UI thread. Each stored index goes to its parameter through effect.setParameter as the centre of
// its step. A stored index beyond the last step is clamped to the last step (the store holds
// unsigned 32-bit values, so there is nothing below 0); an absent value or one that is not four
// bytes leaves its parameter unchanged.
void loadMeteringPreferences(const SettingsStore& store, AudioEffect& effect);

// UI thread. Writes the six parameters' step indices; false when the key cannot be written.
bool saveMeteringPreferences(const SettingsStore& store, AudioEffect& effect);

}  // namespace orv
