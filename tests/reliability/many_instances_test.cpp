// 64 instances in one process, created and destroyed in a random (seeded) order by two
// user-interface threads, each instance processing on a thread of its own while it lives, and a
// writer storing new defaults meanwhile. The settings store they all share must stay readable and
// whole: afterwards every value decodes and no temporary file is left.
#include "hosted_block.h"
#include "platform/settings_store.h"
#include "presets/metering_preferences.h"
#include "presets/program_images.h"
#include "shell/parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

namespace orv {
namespace {

constexpr int kInstances = 64;
constexpr int kUiThreads = 2;
constexpr int32_t kPresetId = vst::fourCharCode('O', 'b', 'r', 'v');

struct Tally {
    std::atomic<int64_t> blocks{0};
    std::atomic<int64_t> badSamples{0};
    std::atomic<int> created{0};
    std::atomic<int> missing{0};  // creations that gave no instance
};

// One instance and the thread that processes it until it is told to stop.
class ProcessingInstance {
public:
    ProcessingInstance(std::unique_ptr<host::HostedPlugin> plugin, uint32_t seed, Tally& tally)
        : plugin_(std::move(plugin)), tally_(tally) {
        plugin_->dispatch(vst::effMainsChanged, 0, 1);
        worker_ = std::thread([this, seed] { run(seed); });
        while (!processedOnce_.load()) std::this_thread::yield();
    }
    // The host stops processing before it closes an instance.
    ~ProcessingInstance() {
        stop_.store(true);
        worker_.join();
        plugin_->dispatch(vst::effMainsChanged, 0, 0);
        plugin_.reset();
    }
    ProcessingInstance(const ProcessingInstance&) = delete;
    ProcessingInstance& operator=(const ProcessingInstance&) = delete;

private:
    void run(uint32_t seed) {
        testing::BlockRunner runner(256, seed);
        do {
            const testing::BlockResult result = runner.run(*plugin_, runner.randomFrames(), runner.randomPrecision());
            tally_.badSamples.fetch_add(result.unwritten + result.nonFinite, std::memory_order_relaxed);
            tally_.blocks.fetch_add(1, std::memory_order_relaxed);
            processedOnce_.store(true);
            std::this_thread::yield();
        } while (!stop_.load(std::memory_order_relaxed));
    }

    std::unique_ptr<host::HostedPlugin> plugin_;
    Tally& tally_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> processedOnce_{false};
    std::thread worker_;
};

// Creates and destroys its share of the instances, interleaved at random: each step either
// creates a not yet created instance or destroys a live one.
void userInterfaceThread(uint32_t seed, int count, Tally& tally) {
    std::mt19937 random(seed);
    std::vector<std::unique_ptr<ProcessingInstance>> live;
    int toCreate = count;
    while (toCreate > 0 || !live.empty()) {
        const bool create = toCreate > 0 && (live.empty() || random() % 3 != 0);
        if (create) {
            auto plugin = host::HostedPlugin::create(testing::pluginModule());
            --toCreate;
            if (!plugin) {
                tally.missing.fetch_add(1);
                continue;
            }
            live.push_back(std::make_unique<ProcessingInstance>(std::move(plugin), random(), tally));
            tally.created.fetch_add(1);
        } else {
            const size_t victim = random() % live.size();
            std::swap(live[victim], live.back());
            live.pop_back();
        }
    }
}

// Another process storing new defaults and preferences while the instances read them.
void storeWriter(const SettingsStore& store, const std::atomic<bool>& stop) {
    const auto main = store.createKey();
    const auto preferences = store.createKey(kPreferencesKey);
    if (!main || !preferences) return;
    ProgramBank bank{};
    for (ProgramRecord& record : bank) {
        setRecordName(record.name, "shared");
        for (int32_t i = 0; i < kNumParams; ++i) record.values[i] = static_cast<float>(i) / kNumParams;
    }
    std::array<uint8_t, kBankImageSize> bankImage{};
    encodeBankImage(bank, kPresetId, bankImage);
    std::array<uint8_t, kPresetImageSize> presetImage{};
    encodePresetImage(bank[0], kPresetId, presetImage);
    uint32_t step = 0;
    while (!stop.load(std::memory_order_relaxed)) {
        main->set("DefaultBank", bankImage);
        main->set("DefaultPreset", presetImage);
        for (const MeteringPreference& preference : kMeteringPreferences)
            preferences->setDword(preference.valueName, step % static_cast<uint32_t>(preference.steps));
        ++step;
        std::this_thread::yield();
    }
}

// Every value of the store as the plug-in reads it; a failure names the value.
void expectWholeStore(const std::string& root) {
    namespace fs = std::filesystem;
    const SettingsStore store(root);
    const auto main = store.openKey();
    ASSERT_TRUE(main);
    std::array<uint8_t, kBankImageSize> bank{};
    EXPECT_EQ(main->query("DefaultBank", bank), kBankImageSize);
    EXPECT_TRUE(decodeBankImage(bank, kPresetId, false));
    std::array<uint8_t, kPresetImageSize> preset{};
    EXPECT_EQ(main->query("DefaultPreset", preset), kPresetImageSize);
    EXPECT_TRUE(decodePresetImage(preset, kPresetId, false));
    for (const char* text : {"CurrDir", "CurrBank", "CurrPreset"}) {
        std::array<uint8_t, kMaxTextBytes> bytes{};
        const auto size = main->query(text, bytes);
        ASSERT_TRUE(size) << text;
        EXPECT_EQ(std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(*size), uint8_t{0}),
                  bytes.begin() + static_cast<std::ptrdiff_t>(*size))
            << text;
    }
    const auto preferences = store.openKey(kPreferencesKey);
    ASSERT_TRUE(preferences);
    for (const MeteringPreference& preference : kMeteringPreferences) {
        const auto stored = preferences->queryDword(preference.valueName);
        ASSERT_TRUE(stored) << preference.valueName;
        EXPECT_LT(*stored, static_cast<uint32_t>(preference.steps)) << preference.valueName;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root))
        EXPECT_NE(entry.path().filename().string().front(), '.') << "left over: " << entry.path();
}

TEST(ManyInstances, SixtyFourCreatedAndDestroyedWhileProcessingShareOneWholeStore) {
    testing::TemporarySettingsHome home;
    ASSERT_TRUE(home.valid());
    ASSERT_TRUE(testing::pluginModule().loaded()) << testing::pluginModule().error();
    const SettingsStore store(home.storeRoot());

    Tally tally;
    std::atomic<bool> stopWriter{false};
    std::thread writer(storeWriter, std::cref(store), std::cref(stopWriter));
    std::vector<std::thread> uiThreads;
    for (int t = 0; t < kUiThreads; ++t)
        uiThreads.emplace_back(userInterfaceThread, 20240611u + static_cast<uint32_t>(t), kInstances / kUiThreads,
                               std::ref(tally));
    for (std::thread& thread : uiThreads) thread.join();
    stopWriter.store(true);
    writer.join();

    std::printf("many instances: %d created, %lld blocks processed\n", tally.created.load(),
                static_cast<long long>(tally.blocks.load()));
    EXPECT_EQ(tally.created.load(), kInstances);
    EXPECT_EQ(tally.missing.load(), 0);
    EXPECT_EQ(tally.badSamples.load(), 0);
    expectWholeStore(home.storeRoot());
}

}  // namespace
}  // namespace orv
