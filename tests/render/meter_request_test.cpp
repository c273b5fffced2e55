// The plug-in's private meter request, through the real module as the renderer uses it.
#include "engine/meter_snapshot.h"
#include "host/vst_host.h"
#include "shell/vendor_requests.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace orv {
namespace {

class MeterRequest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orv-meter-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        settings_ = pattern;
        setenv("XDG_CONFIG_HOME", settings_.c_str(), 1);
        module_ = std::make_unique<host::PluginModule>(ORV_PLUGIN_PATH);
        ASSERT_TRUE(module_->loaded()) << module_->error();
        plugin_ = host::HostedPlugin::create(*module_);
        ASSERT_NE(plugin_, nullptr);
        plugin_->dispatch(vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        plugin_->dispatch(vst::effMainsChanged, 0, 1);
    }
    void TearDown() override {
        plugin_.reset();
        module_.reset();
        std::filesystem::remove_all(settings_);
    }

    static MeterSnapshot poisoned() {
        MeterSnapshot snapshot;
        std::fill(std::begin(snapshot.gainHold), std::end(snapshot.gainHold), -7.0f);
        std::fill(std::begin(snapshot.inputPeak), std::end(snapshot.inputPeak), -7.0f);
        return snapshot;
    }

    std::string settings_;
    std::unique_ptr<host::PluginModule> module_;
    std::unique_ptr<host::HostedPlugin> plugin_;
};

TEST_F(MeterRequest, OurIdentifierFillsTheSnapshotWithWhatWasProcessed) {
    // Longer than the latency, so the meters see the impulse within the block.
    std::array<float, 2048> left{}, right{}, outLeft{}, outRight{};
    left[100] = 0.5f;
    right[100] = 0.25f;
    float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    plugin_->process(inputs, outputs, static_cast<int32_t>(left.size()));

    MeterSnapshot snapshot = poisoned();
    EXPECT_EQ(plugin_->dispatch(vst::effVendorSpecific, kMeterSnapshotRequest, 0, &snapshot), 1);
    for (const float gain : snapshot.gainHold) {
        EXPECT_GE(gain, 0.0f);
        EXPECT_LE(gain, 1.0f);
    }
    EXPECT_GT(snapshot.inputPeak[0], 0.0f);
}

TEST_F(MeterRequest, OtherVendorRequestsAnswerZeroAndTouchNothing) {
    struct Request {
        int32_t index;
        bool withPointer;
    };
    const Request requests[] = {{0, true}, {vst::fourCharCode('O', 'b', 'M', 't'), true}, {kMeterSnapshotRequest, false}};
    for (const Request& request : requests) {
        MeterSnapshot snapshot = poisoned();
        EXPECT_EQ(plugin_->dispatch(vst::effVendorSpecific, request.index, 0, request.withPointer ? &snapshot : nullptr), 0)
            << request.index;
        EXPECT_EQ(snapshot.gainHold[0], -7.0f) << request.index;
    }
}

}  // namespace
}  // namespace orv
