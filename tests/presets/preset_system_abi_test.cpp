// The preset system as a host sees it: build/orvbrivo.so driven through the VST 2.4 ABI, each
// test with its own temporary $XDG_CONFIG_HOME.
#include "host/vst_host.h"
#include "platform/settings_store.h"
#include "presets/factory_programs.h"
#include "presets/program_images.h"
#include "tests/platform/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace orv {
namespace {

using host::HostedPlugin;
using host::PluginModule;
using testing::TemporaryFolder;

const PluginModule& module() {
    static const PluginModule loaded(ORV_PLUGIN_PATH);
    return loaded;
}

constexpr int32_t kId = vst::fourCharCode('O', 'b', 'r', 'v');

class PresetAbi : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(module().loaded()) << module().error();
        ::setenv("XDG_CONFIG_HOME", temporary.path().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

    std::unique_ptr<HostedPlugin> create() {
        auto plugin = HostedPlugin::create(module());
        EXPECT_NE(plugin, nullptr);
        return plugin;
    }

    SettingsStore store() const { return SettingsStore(temporary / "Orvmark/Orvbrivo"); }

    static std::vector<uint8_t> chunkOf(const HostedPlugin& plugin) {
        void* data = nullptr;
        const auto size = plugin.dispatch(vst::effGetChunk, 0, 0, &data);
        EXPECT_EQ(size, static_cast<intptr_t>(kBankChunkSize));
        if (size != static_cast<intptr_t>(kBankChunkSize) || !data) return {};
        return {static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + kBankChunkSize};
    }

    static std::string indexedName(const HostedPlugin& plugin, int32_t index) {
        char text[64] = {};
        if (plugin.dispatch(vst::effGetProgramNameIndexed, index, 0, text) != 1) return "<none>";
        return text;
    }

    static ProgramBank bankOf(const std::vector<uint8_t>& chunk) {
        return decodeBankChunk(chunk, kId).programs;
    }

    static std::string programName(const HostedPlugin& plugin) {
        char text[25];
        std::memset(text, 'z', sizeof text);
        plugin.dispatch(vst::effGetProgramName, 0, 0, text);
        return std::string(text, strnlen(text, sizeof text));
    }

    TemporaryFolder temporary;
};

TEST_F(PresetAbi, NewInstanceWithNothingStoredStartsFromTheFactoryProgramsAndWritesLocationsAtItsEnd) {
    auto plugin = create();
    EXPECT_EQ(plugin->effect()->flags, 0x1031);
    for (int32_t k = 0; k < kNumPrograms; ++k) EXPECT_EQ(indexedName(*plugin, k), kFactoryPrograms[k].name);
    EXPECT_EQ(indexedName(*plugin, 24), "<none>");
    EXPECT_EQ(programName(*plugin), "Default");
    for (int32_t i = 0; i < kNumEngineParams; ++i) {
        EXPECT_EQ(plugin->getParameter(i), kFactoryPrograms[0].values[i]) << i;
    }
    EXPECT_EQ(chunkOf(*plugin)[12], 0) << "program 0 is current";
    plugin->close();

    const auto key = store().openKey();
    ASSERT_TRUE(key.has_value());
    for (const char* name : {"CurrDir", "CurrBank", "CurrPreset"}) {
        std::vector<uint8_t> out(300, 1);
        EXPECT_EQ(key->query(name, out), 0u) << name << " is written empty";
    }
}

TEST_F(PresetAbi, ChunkRoundTripRestoresNamesValuesAndCurrentProgram) {
    auto source = create();
    char name[] = "Renamed program";
    source->dispatch(vst::effSetProgramName, 0, 0, name);
    source->setParameter(Drive, 0.8125f);
    source->setParameter(Dummy22, 0.375f);
    std::vector<uint8_t> chunk = chunkOf(*source);
    // Make program 13 current in the chunk: its values must then be applied.
    chunk[12] = 13;

    auto target = create();
    ASSERT_EQ(target->dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()), 0);
    EXPECT_EQ(chunkOf(*target), chunk);
    EXPECT_EQ(indexedName(*target, 0), "Renamed program");
    EXPECT_EQ(target->getParameter(Output), kFactoryPrograms[13].values[Output]);
    EXPECT_EQ(bankOf(chunkOf(*target))[0].values[Drive], 0.8125f);
    EXPECT_EQ(bankOf(chunkOf(*target))[0].values[Dummy22], 0.375f);
}

TEST_F(PresetAbi, ByteReversedChunkLoads) {
    auto source = create();
    source->setParameter(Release, 0.4375f);
    std::vector<uint8_t> chunk = chunkOf(*source);
    chunk[12] = 0;
    auto reverseAt = [&](size_t at) { std::reverse(chunk.begin() + static_cast<long>(at), chunk.begin() + static_cast<long>(at) + 4); };
    for (size_t at : {0u, 4u, 8u, 12u, 16u, 20u, 24u, 28u}) reverseAt(at);
    for (size_t record = 32; record < kBankChunkSize; record += 128) {
        for (size_t v = 0; v < 26; ++v) reverseAt(record + 24 + 4 * v);
    }

    auto target = create();
    ASSERT_EQ(target->dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()), 0);
    EXPECT_EQ(target->getParameter(Release), 0.4375f);
    EXPECT_EQ(bankOf(chunkOf(*target))[5].values[Drive], kFactoryPrograms[5].values[Drive]);
}

TEST_F(PresetAbi, ChunkWithCurrentIndexOutsideReplacesTheRecordsAndAppliesNothing) {
    for (uint8_t current : {uint8_t{24}, uint8_t{0xff}}) {
        auto source = create();
        source->setParameter(Output, 0.5f);
        char name[] = "From chunk";
        source->dispatch(vst::effSetProgramName, 0, 0, name);
        std::vector<uint8_t> chunk = chunkOf(*source);
        std::memset(&chunk[12], current, 4);  // 24, or -1 in all four bytes

        auto target = create();
        ASSERT_EQ(target->dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()), 0);
        EXPECT_EQ(indexedName(*target, 0), "From chunk");
        EXPECT_EQ(target->getParameter(Output), kFactoryPrograms[0].values[Output]) << "nothing applied";
        EXPECT_EQ(chunkOf(*target)[12], 0) << "current index unchanged";
    }
}

TEST_F(PresetAbi, ThirtyCharacterProgramNameKeeps24) {
    auto plugin = create();
    char name[] = "Thirty character program name!";
    plugin->dispatch(vst::effSetProgramName, 0, 0, name);
    EXPECT_EQ(programName(*plugin), "Thirty character program");
    EXPECT_EQ(indexedName(*plugin, 0), "Thirty character program");
}

TEST_F(PresetAbi, ParameterChangesFollowTheCurrentRecord) {
    auto plugin = create();
    plugin->setParameter(Dummy24, 0.625f);
    plugin->setParameter(Transient, 0.125f);
    EXPECT_EQ(plugin->getParameter(Dummy24), 0.625f);
    EXPECT_EQ(plugin->getParameter(26), -1.0f);
    const ProgramBank bank = bankOf(chunkOf(*plugin));
    EXPECT_EQ(bank[0].values[Dummy24], 0.625f);
    EXPECT_EQ(bank[0].values[Transient], 0.125f);
}

TEST_F(PresetAbi, StoredAttShowPreferenceReachesParameter20AndProgramZero) {
    store().createKey("PREFS")->setDword("Metering_AttShow", 3);
    auto plugin = create();
    EXPECT_EQ(plugin->getParameter(AttShow), 0.4375f);
    EXPECT_EQ(bankOf(chunkOf(*plugin))[0].values[AttShow], 0.4375f);
}

TEST_F(PresetAbi, StoredDefaultPresetOverridesTheMeteringPreferences) {
    store().createKey("PREFS")->setDword("Metering_AttShow", 3);
    ProgramRecord preset{};
    setRecordName(preset.name, "Stored default");
    std::memcpy(preset.values, kFactoryPrograms[2].values, sizeof preset.values);
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(preset, kId, image);
    store().createKey()->set("DefaultPreset", image);

    auto plugin = create();
    EXPECT_EQ(programName(*plugin), "Stored default");
    EXPECT_EQ(plugin->getParameter(AttShow), 0.9375f);
    EXPECT_EQ(plugin->getParameter(Transient), kFactoryPrograms[2].values[Transient]);
}

TEST_F(PresetAbi, StoredDefaultBankReplacesTheFactoryProgramsUntilCleared) {
    ProgramBank bank{};
    for (int32_t k = 0; k < kNumPrograms; ++k) {
        setRecordName(bank[k].name, ("Bank " + std::to_string(k)).c_str());
        std::memcpy(bank[k].values, kFactoryPrograms[23 - k].values, sizeof bank[k].values);
    }
    std::array<uint8_t, kBankImageSize> image{};
    encodeBankImage(bank, kId, image);
    store().createKey()->set("DefaultBank", image);
    {
        auto plugin = create();
        EXPECT_EQ(indexedName(*plugin, 5), "Bank 5");
        EXPECT_EQ(plugin->getParameter(Drive), kFactoryPrograms[23].values[Drive]);
    }
    store().openKey()->remove("DefaultBank");
    auto plugin = create();
    EXPECT_EQ(indexedName(*plugin, 5), "Loudness 1");
}

}  // namespace
}  // namespace orv
