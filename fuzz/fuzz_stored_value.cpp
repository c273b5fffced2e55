// Any bytes as a stored value of the settings store: read as binary images, 32-bit values, text
// and metering preferences. A metering value must reach the parameters within 0..1.
#include "platform/settings_store.h"
#include "presets/metering_preferences.h"
#include "presets/preset_system_effect.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

const orv::SettingsStore& store() {
    static const orv::SettingsStore instance = [] {
        const char* temporary = std::getenv("TMPDIR");
        std::string pattern = std::string(temporary && temporary[0] ? temporary : "/tmp") + "/orv-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        return orv::SettingsStore(pattern);
    }();
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto key = store().createKey(orv::kPreferencesKey);
    if (!key || !key->set("Metering_AttShow", std::span(data, size))) return 0;

    uint8_t preset[orv::kPresetImageSize];
    const auto read = key->query("Metering_AttShow", preset);
    if (read && (*read != size || std::memcmp(preset, data, size) != 0)) __builtin_trap();
    if (!read && size <= sizeof preset) __builtin_trap();

    char text[orv::kMaxTextBytes + 1];
    key->queryText("Metering_AttShow", text);
    if (text[orv::kMaxTextBytes] != '\0') __builtin_trap();

    static orv::CPresetSystemEffect effect(nullptr);
    orv::loadMeteringPreferences(store(), effect);
    const float value = effect.getParameter(orv::AttShow);
    if (!(value >= 0.0f && value <= 1.0f)) __builtin_trap();
    return 0;
}
