// A host-like load: one audio thread processing small and odd-sized blocks through both entries
// while an automation thread moves every parameter and the user-interface thread changes the
// sample rate, loads chunks that select other programs and takes meter snapshots.
#include "engine/meter_snapshot.h"
#include "hosted_block.h"
#include "presets/program_images.h"
#include "shell/parameters.h"
#include "shell/vendor_requests.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace orv {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t kMaxBlock = 700;
constexpr auto kRunTime = std::chrono::milliseconds(1500);
constexpr float kRates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f, 22050.0f};

struct AudioTally {
    std::atomic<int64_t> blocks{0};
    std::atomic<int64_t> unwritten{0};
    std::atomic<int64_t> nonFinite{0};
};

void audioThread(const host::HostedPlugin& plugin, const std::atomic<bool>& stop, AudioTally& tally) {
    testing::BlockRunner runner(kMaxBlock, 7);
    while (!stop.load(std::memory_order_relaxed)) {
        const testing::BlockResult result = runner.run(plugin, runner.randomFrames(), runner.randomPrecision());
        tally.unwritten.fetch_add(result.unwritten, std::memory_order_relaxed);
        tally.nonFinite.fetch_add(result.nonFinite, std::memory_order_relaxed);
        tally.blocks.fetch_add(1, std::memory_order_relaxed);
    }
}

// Every index, TransShape (which rebuilds the kernel under the lock) included, with values over
// the whole range and the switch positions' edges.
void automationThread(const host::HostedPlugin& plugin, const std::atomic<bool>& stop) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!stop.load(std::memory_order_relaxed)) {
        for (int32_t index = 0; index < kNumParams; ++index) {
            const float x = (random() % 4 == 0) ? static_cast<float>(random() % 2) : value(random);
            plugin.setParameter(index, x);
            plugin.getParameter(index);
        }
        std::this_thread::yield();
    }
}

struct UiTally {
    int64_t rateChanges = 0;
    int64_t chunksLoaded = 0;
    int64_t snapshots = 0;
    int64_t refusedChunks = 0;
    int64_t badSnapshots = 0;
};

bool snapshotIsFinite(const MeterSnapshot& s) {
    for (const float* pair : {s.inputPeak, s.outputPeak, s.inputRms, s.outputRms, s.gainHold})
        for (int c = 0; c < 2; ++c) if (!std::isfinite(pair[c])) return false;
    return true;
}

void userInterfaceThread(const host::HostedPlugin& plugin, const std::atomic<bool>& stop, UiTally& tally) {
    std::mt19937 random(13);
    while (!stop.load(std::memory_order_relaxed)) {
        switch (random() % 3) {
        case 0:
            plugin.dispatch(vst::effSetSampleRate, 0, 0, nullptr, kRates[random() % std::size(kRates)]);
            ++tally.rateChanges;
            break;
        case 1: {
            void* data = nullptr;
            const intptr_t size = plugin.dispatch(vst::effGetChunk, 0, 0, &data);
            if (size != static_cast<intptr_t>(kBankChunkSize) || !data) {
                ++tally.refusedChunks;
                break;
            }
            std::array<uint8_t, kBankChunkSize> chunk;
            std::memcpy(chunk.data(), data, chunk.size());
            const auto current = static_cast<int32_t>(random() % kNumPrograms);
            std::memcpy(&chunk[12], &current, sizeof current);  // the current program's index
            if (plugin.dispatch(vst::effSetChunk, static_cast<int32_t>(random() % 2),
                                static_cast<intptr_t>(chunk.size()), chunk.data()) != 0)
                ++tally.refusedChunks;
            ++tally.chunksLoaded;
            break;
        }
        default: {
            MeterSnapshot snapshot{};
            if (plugin.dispatch(vst::effVendorSpecific, kMeterSnapshotRequest, 0, &snapshot) != 1 ||
                !snapshotIsFinite(snapshot))
                ++tally.badSnapshots;
            ++tally.snapshots;
            break;
        }
        }
        for (int32_t index = 0; index < kNumParams; ++index) plugin.text(vst::effGetParamDisplay, index);
    }
}

TEST(HostStress, AudioStaysWrittenAndFiniteUnderAutomationRateChangesChunksAndSnapshots) {
    testing::TemporarySettingsHome home;
    ASSERT_TRUE(home.valid());
    ASSERT_TRUE(testing::pluginModule().loaded()) << testing::pluginModule().error();
    auto plugin = host::HostedPlugin::create(testing::pluginModule());
    ASSERT_NE(plugin, nullptr);
    plugin->dispatch(vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
    plugin->dispatch(vst::effSetBlockSize, 0, kMaxBlock);
    plugin->dispatch(vst::effMainsChanged, 0, 1);

    std::atomic<bool> stop{false};
    AudioTally audio;
    UiTally ui;
    std::thread audioWorker(audioThread, std::cref(*plugin), std::cref(stop), std::ref(audio));
    std::thread automationWorker(automationThread, std::cref(*plugin), std::cref(stop));
    std::thread uiWorker(userInterfaceThread, std::cref(*plugin), std::cref(stop), std::ref(ui));
    const auto end = Clock::now() + kRunTime;
    while (Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    stop.store(true);
    audioWorker.join();
    automationWorker.join();
    uiWorker.join();

    std::printf("host stress: %lld blocks processed, %lld rate changes, %lld chunks, %lld meter snapshots\n",
                static_cast<long long>(audio.blocks.load()), static_cast<long long>(ui.rateChanges),
                static_cast<long long>(ui.chunksLoaded), static_cast<long long>(ui.snapshots));
    EXPECT_GT(audio.blocks.load(), 0);
    EXPECT_GT(ui.chunksLoaded + ui.rateChanges + ui.snapshots, 0);
    EXPECT_EQ(audio.unwritten.load(), 0) << "output samples left unwritten";
    EXPECT_EQ(audio.nonFinite.load(), 0) << "non-finite output samples";
    EXPECT_EQ(ui.refusedChunks, 0);
    EXPECT_EQ(ui.badSnapshots, 0);
    plugin->dispatch(vst::effMainsChanged, 0, 0);
}

}  // namespace
}  // namespace orv
