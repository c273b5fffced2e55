// Hostile values through every entry a value can come in by: the host's setParameter, the chunk
// in both byte orders, the default preset and default bank images and the metering preferences of
// the per-user store. None may index out of range (the sanitizer build checks every access) or
// make the output non-finite.
#include "hosted_block.h"
#include "platform/settings_store.h"
#include "presets/metering_preferences.h"
#include "presets/program_images.h"
#include "shell/parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>

namespace orv {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kHostileValues[] = {
    std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(), kInf, -kInf, -1.0f, -1e-30f,
    1.0000001f, 2.0f, 1e30f, std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
    std::numeric_limits<float>::denorm_min(), -0.0f,
};
constexpr int32_t kPresetId = vst::fourCharCode('O', 'b', 'r', 'v');

class HostileValues : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.valid());
        ASSERT_TRUE(testing::pluginModule().loaded()) << testing::pluginModule().error();
    }

    std::unique_ptr<host::HostedPlugin> createInstance() const {
        auto plugin = host::HostedPlugin::create(testing::pluginModule());
        if (plugin) plugin->dispatch(vst::effMainsChanged, 0, 1);
        return plugin;
    }

    // A few blocks of both precisions and sizes; every sample written and finite.
    static void expectCleanOutput(const host::HostedPlugin& plugin, const std::string& context) {
        testing::BlockRunner runner(512, 3);
        for (int32_t frames : {1, 63, 512, 7, 300}) {
            for (bool doublePrecision : {false, true}) {
                const testing::BlockResult result = runner.run(plugin, frames, doublePrecision);
                ASSERT_EQ(result.unwritten, 0) << context;
                ASSERT_EQ(result.nonFinite, 0) << context;
            }
        }
    }

    // Display texts of the indices that have one stay terminated inside the interface's limit.
    static void expectBoundedTexts(const host::HostedPlugin& plugin, const std::string& context) {
        for (int32_t index = 0; index < kNumEngineParams; ++index) {
            char text[64];
            std::fill(std::begin(text), std::end(text), '\x7f');
            plugin.dispatch(vst::effGetParamDisplay, index, 0, text);
            const auto* end = std::find(std::begin(text), std::end(text), '\0');
            ASSERT_NE(end, std::end(text)) << context << ", parameter " << index;
            EXPECT_LE(end - text, 12) << context << ", parameter " << index;
        }
    }

    testing::TemporarySettingsHome home;
};

TEST_F(HostileValues, ThroughSetParameterOfEveryIndex) {
    auto plugin = createInstance();
    ASSERT_NE(plugin, nullptr);
    for (float value : kHostileValues) {
        for (int32_t index : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                              24, 25, 26, 1000, std::numeric_limits<int32_t>::min()}) {
            plugin->setParameter(index, value);
            plugin->getParameter(index);
        }
        const std::string context = "value " + std::to_string(value);
        expectCleanOutput(*plugin, context);
        expectBoundedTexts(*plugin, context);
    }
}

// Every value of every program hostile, written as the host chunk in either byte order.
std::array<uint8_t, kBankChunkSize> hostileChunk(float value, int32_t current, bool reversed) {
    ProgramBank bank{};
    for (ProgramRecord& record : bank) {
        setRecordName(record.name, "hostile");
        std::fill(std::begin(record.values), std::end(record.values), value);
    }
    std::array<uint8_t, kBankChunkSize> chunk{};
    encodeBankChunk(bank, kPresetId, current, chunk);
    if (reversed) {
        const auto reverseWord = [&](size_t at) { std::reverse(chunk.begin() + at, chunk.begin() + at + 4); };
        for (size_t at : {0u, 4u, 8u, 12u}) reverseWord(at);
        for (size_t record = 0; record < kNumPrograms; ++record)
            for (size_t v = 0; v < kNumParams; ++v) reverseWord(32 + 128 * record + kProgramNameSize + 4 * v);
    }
    return chunk;
}

TEST_F(HostileValues, ThroughTheChunkInBothByteOrders) {
    auto plugin = createInstance();
    ASSERT_NE(plugin, nullptr);
    for (bool reversed : {false, true}) {
        for (float value : kHostileValues) {
            for (int32_t current : {0, 23, 24, -1, std::numeric_limits<int32_t>::max(),
                                    std::numeric_limits<int32_t>::min()}) {
                auto chunk = hostileChunk(value, current, reversed);
                EXPECT_EQ(plugin->dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()), 0);
                const std::string context = "value " + std::to_string(value) + ", current " + std::to_string(current) +
                                            (reversed ? ", reversed" : ", native");
                expectCleanOutput(*plugin, context);
                expectBoundedTexts(*plugin, context);
                void* data = nullptr;
                EXPECT_EQ(plugin->dispatch(vst::effGetChunk, 0, 0, &data), static_cast<intptr_t>(kBankChunkSize));
            }
        }
    }
}

// The default preset and default bank in the store, in either byte order, with hostile values,
// and metering preferences beyond their ranges or of the wrong size: all read while the instance
// is constructed.
struct StoredCase {
    const char* name;
    float value;
    bool reversed;
};

std::array<uint8_t, kPresetImageSize> hostilePreset(float value, bool reversed) {
    ProgramRecord record{};
    setRecordName(record.name, "hostile preset");
    std::fill(std::begin(record.values), std::end(record.values), value);
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(record, kPresetId, image);
    if (reversed) {
        std::reverse(image.begin(), image.begin() + 4);
        for (size_t v = 0; v < kNumParams; ++v) std::reverse(image.begin() + 29 + 4 * v, image.begin() + 33 + 4 * v);
    }
    return image;
}

std::array<uint8_t, kBankImageSize> hostileBank(float value, bool reversed) {
    ProgramBank bank{};
    for (ProgramRecord& record : bank) {
        setRecordName(record.name, "hostile bank");
        std::fill(std::begin(record.values), std::end(record.values), value);
    }
    std::array<uint8_t, kBankImageSize> image{};
    encodeBankImage(bank, kPresetId, image);
    if (reversed) {
        std::reverse(image.begin(), image.begin() + 4);
        for (size_t record = 0; record < kNumPrograms; ++record)
            for (size_t v = 0; v < kNumParams; ++v) {
                const auto at = image.begin() + 5 + 128 * record + kProgramNameSize + 4 * v;
                std::reverse(at, at + 4);
            }
    }
    return image;
}

TEST_F(HostileValues, ThroughTheStoredDefaultsAndMeteringPreferences) {
    const SettingsStore store(home.storeRoot());
    const auto main = store.createKey();
    const auto preferences = store.createKey(kPreferencesKey);
    ASSERT_TRUE(main && preferences);
    const uint32_t hostileSteps[] = {0xffffffffu, 0x80000000u, 8u, 3u};
    const std::string longText(300, 'x');
    ASSERT_TRUE(main->setText("CurrDir", longText));
    ASSERT_TRUE(main->set("CurrPreset", std::span(reinterpret_cast<const uint8_t*>(longText.data()), 256)));
    size_t round = 0;
    for (bool reversed : {false, true}) {
        for (float value : kHostileValues) {
            const auto preset = hostilePreset(value, reversed);
            const auto bank = hostileBank(value, reversed);
            ASSERT_TRUE(main->set("DefaultPreset", preset));
            ASSERT_TRUE(main->set("DefaultBank", bank));
            for (const MeteringPreference& preference : kMeteringPreferences) {
                const uint32_t step = hostileSteps[round++ % std::size(hostileSteps)];
                if (round % 5 == 0) {
                    const uint8_t odd[3] = {0xff, 0xff, 0xff};  // not four bytes: counts as absent
                    ASSERT_TRUE(preferences->set(preference.valueName, odd));
                } else {
                    ASSERT_TRUE(preferences->setDword(preference.valueName, step));
                }
            }
            auto plugin = createInstance();
            ASSERT_NE(plugin, nullptr);
            const std::string context = "value " + std::to_string(value) + (reversed ? ", reversed" : ", native");
            expectCleanOutput(*plugin, context);
            expectBoundedTexts(*plugin, context);
            plugin.reset();  // writes the file locations back
            char text[kMaxTextBytes + 1];
            ASSERT_TRUE(main->queryText("CurrDir", text));
            EXPECT_LE(std::strlen(text), kMaxTextBytes);
        }
    }
}

// Without stored defaults the preferences reach program 0: each lands on a step centre.
TEST_F(HostileValues, StoredMeteringPreferencesLandOnTheirLastStepAtMost) {
    const SettingsStore store(home.storeRoot());
    const auto preferences = store.createKey(kPreferencesKey);
    ASSERT_TRUE(preferences);
    for (uint32_t stored : {0xffffffffu, 0x80000000u, 0x7fffffffu, 8u, 2u}) {
        for (const MeteringPreference& preference : kMeteringPreferences)
            ASSERT_TRUE(preferences->setDword(preference.valueName, stored));
        auto plugin = createInstance();
        ASSERT_NE(plugin, nullptr);
        for (const MeteringPreference& preference : kMeteringPreferences) {
            const auto last = static_cast<uint32_t>(preference.steps - 1);
            const int32_t step = static_cast<int32_t>(std::min(stored, last));
            EXPECT_EQ(plugin->getParameter(preference.parameter), stepToValue(step, preference.steps))
                << preference.valueName << " stored as " << stored;
        }
        expectCleanOutput(*plugin, "stored step " + std::to_string(stored));
    }
}

}  // namespace
}  // namespace orv
