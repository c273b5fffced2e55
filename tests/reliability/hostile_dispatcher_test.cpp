// Dispatcher arguments found by the dispatcher fuzz target, kept as regression cases: whatever a
// host puts in `value` and `opt`, no conversion overflows (the sanitizer build checks) and no size
// wraps around into a valid one.
#include "hosted_block.h"
#include "presets/program_images.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace orv {
namespace {

class HostileDispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.valid());
        ASSERT_TRUE(testing::pluginModule().loaded()) << testing::pluginModule().error();
        plugin = host::HostedPlugin::create(testing::pluginModule());
        ASSERT_NE(plugin, nullptr);
    }

    testing::TemporarySettingsHome home;
    std::unique_ptr<host::HostedPlugin> plugin;
};

TEST_F(HostileDispatcher, KeyModifiersOutsideTheIntRangeAreNotConverted) {
    const float modifiers[] = {4.23254e21f, -4.23254e21f, std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity(), 2147483648.0f};
    for (float opt : modifiers) {
        for (int32_t opcode : {vst::effEditKeyDown, vst::effEditKeyUp}) {
            EXPECT_EQ(plugin->dispatch(opcode, 'a', 0, nullptr, opt), 0) << "opcode " << opcode << ", opt " << opt;
        }
    }
}

TEST_F(HostileDispatcher, ChunkSizeBeyondThirtyTwoBitsIsRefused) {
    void* data = nullptr;
    ASSERT_EQ(plugin->dispatch(vst::effGetChunk, 0, 0, &data), static_cast<intptr_t>(kBankChunkSize));
    std::array<uint8_t, kBankChunkSize> chunk;
    std::memcpy(chunk.data(), data, chunk.size());
    std::memcpy(&chunk[32], "Renamed", 8);  // program 0's name
    const intptr_t wrapping[] = {(intptr_t{1} << 32) + static_cast<intptr_t>(kBankChunkSize),
                                 (intptr_t{1} << 33) + static_cast<intptr_t>(kBankChunkSize),
                                 std::numeric_limits<intptr_t>::min() + static_cast<intptr_t>(kBankChunkSize)};
    for (intptr_t size : wrapping) {
        EXPECT_EQ(plugin->dispatch(vst::effSetChunk, 0, size, chunk.data()), -1) << size;
        EXPECT_EQ(plugin->text(vst::effGetProgramNameIndexed, 0), "Default") << size;
    }
    EXPECT_EQ(plugin->dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()), 0);
    EXPECT_EQ(plugin->text(vst::effGetProgramNameIndexed, 0), "Renamed");
}

}  // namespace
}  // namespace orv
