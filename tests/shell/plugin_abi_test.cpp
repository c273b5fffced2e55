// The plug-in as a host sees it: loaded from build/orvbrivo.so and driven through the VST 2.4 ABI.
#include "host/vst_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>
#include <thread>
#include <vector>

namespace orv {
namespace {

using host::HostAnswers;
using host::HostedPlugin;
using host::PluginModule;

const PluginModule& module() {
    static const PluginModule loaded(ORV_PLUGIN_PATH);
    return loaded;
}

class PluginAbi : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(module().loaded()) << module().error();
        plugin = HostedPlugin::create(module());
        ASSERT_NE(plugin, nullptr);
    }

    std::string display(int32_t index) const { return plugin->text(vst::effGetParamDisplay, index); }

    std::unique_ptr<HostedPlugin> plugin;
};

TEST_F(PluginAbi, RecordValues) {
    const vst::AEffect& e = *plugin->effect();
    EXPECT_EQ(e.magic, vst::fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(e.numParams, 26);
    EXPECT_EQ(e.numPrograms, 1);
    EXPECT_EQ(e.numInputs, 2);
    EXPECT_EQ(e.numOutputs, 2);
    EXPECT_EQ(e.flags, 0x1031);
    EXPECT_EQ(e.uniqueID, vst::fourCharCode('O', 'b', 'r', 'v'));
    EXPECT_EQ(e.initialDelay, 159);
    EXPECT_EQ(e.version, 1);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.realQualities, 0);
    EXPECT_EQ(e.offQualities, 0);
}

TEST_F(PluginAbi, CreationAsksTheHostVersionTwice) {
    EXPECT_EQ(plugin->countRequests(vst::audioMasterVersion), 2u);
}

TEST(PluginCreation, HostAnsweringVersionZeroGetsNoEffect) {
    ASSERT_TRUE(module().loaded()) << module().error();
    HostAnswers answers;
    answers.version = 0;
    EXPECT_EQ(HostedPlugin::create(module(), answers), nullptr);
    EXPECT_EQ(module().entry()(nullptr), nullptr);
}

TEST(PluginCreation, MainIsTheEntryPoint) {
    ASSERT_TRUE(module().loaded()) << module().error();
    EXPECT_NE(module().symbol("VSTPluginMain"), nullptr);
    EXPECT_EQ(module().symbol("main"), module().symbol("VSTPluginMain"));
}

TEST_F(PluginAbi, DispatcherAnswers) {
    const struct { int32_t opcode; intptr_t value; intptr_t answer; } rows[] = {
        {vst::effOpen, 0, 0},
        {vst::effGetProgram, 0, 0},
        {vst::effIdentify, 0, vst::fourCharCode('N', 'v', 'E', 'f')},
        {vst::effCanBeAutomated, 0, 1},
        {vst::effGetPlugCategory, 0, vst::kPlugCategMastering},
        {vst::effGetVendorVersion, 0, 0},
        {vst::effGetTailSize, 0, 0},
        {vst::effGetVstVersion, 0, 2400},
        {vst::effSetEditKnobMode, 2, 1},
        {vst::effGetCurrentMidiProgram, 0, -1},
        {vst::effSetTotalSampleToProcess, 12345, 12345},
        {vst::effVendorSpecific, 0, 0},
        {vst::effSetBypass, 1, 0},
        {vst::effString2Parameter, 0, 0},
        {vst::effEditKeyDown, 0, 0},
    };
    for (const auto& row : rows) EXPECT_EQ(plugin->dispatch(row.opcode, 0, row.value), row.answer) << row.opcode;
    EXPECT_EQ(plugin->text(vst::effGetEffectName), "Orv Brivo");
    EXPECT_EQ(plugin->text(vst::effGetProductString), "Full band precision limiter");
    EXPECT_FALSE(plugin->text(vst::effGetVendorString).empty());
}

TEST_F(PluginAbi, CanDoNothing) {
    for (const char* what : {"receiveVstMidiEvent", "offline", "bypass", "sendVstEvents", ""})
        EXPECT_EQ(plugin->dispatch(vst::effCanDo, 0, 0, const_cast<char*>(what)), 0) << what;
}

TEST_F(PluginAbi, UnknownOpcodesChangeNothing) {
    std::vector<float> before;
    for (int32_t i = 0; i < 26; ++i) before.push_back(plugin->getParameter(i));
    for (int32_t opcode = 80; opcode < 400; ++opcode) {
        char buffer[64] = "canary";
        EXPECT_EQ(plugin->dispatch(opcode, 3, 7, buffer, 0.5f), 0) << opcode;
        EXPECT_STREQ(buffer, "canary");
    }
    for (int32_t i = 0; i < 26; ++i) EXPECT_EQ(plugin->getParameter(i), before[i]);
}

TEST_F(PluginAbi, SetProgramKeepsTheHostProgramAtZero) {
    for (intptr_t program : {1, 5, 23, -1}) {
        EXPECT_EQ(plugin->dispatch(vst::effSetProgram, 0, program), 0);
        EXPECT_EQ(plugin->dispatch(vst::effGetProgram), 0);
    }
}

TEST_F(PluginAbi, SpeakerArrangementPointersAreCleared) {
    int dummy = 0;
    void* input = &dummy;
    void* output = &dummy;
    EXPECT_EQ(plugin->dispatch(vst::effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST_F(PluginAbi, ParameterProperties) {
    vst::VstParameterProperties properties;
    std::memset(&properties, 0x5a, sizeof properties);
    const auto untouched = properties;
    for (int32_t index : {0, 12, 25, 99}) {
        EXPECT_EQ(plugin->dispatch(vst::effGetParameterProperties, index, 0, &properties), 1);
        EXPECT_EQ(properties.stepFloat, 0.0001f);
        EXPECT_EQ(properties.flags, vst::kVstParameterUsesFloatStep);
        EXPECT_EQ(std::memcmp(properties.label, untouched.label, sizeof properties.label), 0);
        EXPECT_EQ(properties.smallStepFloat, untouched.smallStepFloat);
    }
}

TEST_F(PluginAbi, LatencyFollowsTheRateFamily) {
    const struct { float rate; int32_t latency; } rows[] = {
        {96000.0f, 287}, {192000.0f, 543}, {44100.0f, 159}, {48000.0f, 159}, {88200.0f, 287},
        {176400.0f, 543}, {4000.0f, 159}, {200000.0f, 543}, {200001.0f, 159}, {80000.0f, 287},
        {79999.0f, 159}, {170000.0f, 543}, {-1.0f, 159}, {std::numeric_limits<float>::quiet_NaN(), 159},
    };
    for (const auto& row : rows) {
        plugin->dispatch(vst::effSetSampleRate, 0, 0, nullptr, row.rate);
        EXPECT_EQ(plugin->effect()->initialDelay, row.latency) << row.rate;
    }
    EXPECT_EQ(plugin->countRequests(vst::audioMasterIOChanged), 0u);
}

TEST_F(PluginAbi, NamesLabelsAndUntouchedBuffers) {
    const char* names[26] = {"Output", "Drive", "Transient", "Release", "TransShape", "L/R Link", "Oversample",
                             "DetectorOrder", "Power", "Scale", "Bits", "NoiseShape", "Calibrate", "Leveller",
                             "MeterOvs", "AutoOut", "Quantize", "Autoblack", "MeterType", "AttZoom", "AttShow",
                             "PostMeter", "dummy", "dummy", "dummy", "resvd-vid"};
    for (int32_t i = 0; i < 26; ++i) EXPECT_EQ(plugin->text(vst::effGetParamName, i), names[i]);
    for (int32_t i : {0, 1, 13}) EXPECT_EQ(plugin->text(vst::effGetParamLabel, i), "dB");
    for (int32_t i : {2, 3}) EXPECT_EQ(plugin->text(vst::effGetParamLabel, i), "ms");

    const struct { int32_t opcode, index; } untouched[] = {
        {vst::effGetParamLabel, 4}, {vst::effGetParamDisplay, 22}, {vst::effGetParamDisplay, 25},
        {vst::effGetParamName, 26}, {vst::effGetParamDisplay, -1}, {vst::effGetParamLabel, 1000},
    };
    for (const auto& call : untouched) {
        char buffer[32] = "canary";
        plugin->dispatch(call.opcode, call.index, 0, buffer);
        EXPECT_STREQ(buffer, "canary") << call.opcode << " " << call.index;
    }
}

TEST_F(PluginAbi, DisplayTexts) {
    plugin->setParameter(0, 0.0f);
    EXPECT_EQ(display(0), "-12.0412");
    plugin->setParameter(1, 1.0f);
    EXPECT_EQ(display(1), "24.08240");
    plugin->setParameter(13, 0.0f);
    EXPECT_EQ(display(13), "-oo");
    plugin->setParameter(10, 1.0f);
    EXPECT_EQ(display(10), "24");
    plugin->setParameter(10, 0.0f);
    EXPECT_EQ(display(10), "8");
    plugin->setParameter(20, 0.6875f);
    EXPECT_EQ(display(20), "1L");
}

TEST_F(PluginAbi, HostileValuesAreKeptButNeverLeakIntoTexts) {
    const float hostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), -5.0f, 5.0f, 1e30f};
    for (int32_t i = 0; i < 22; ++i) {
        for (float v : hostile) {
            plugin->setParameter(i, v);
            const float back = plugin->getParameter(i);
            if (std::isnan(v)) EXPECT_TRUE(std::isnan(back));
            else EXPECT_EQ(back, v);
            char buffer[64];
            std::memset(buffer, 'x', sizeof buffer);
            plugin->dispatch(vst::effGetParamDisplay, i, 0, buffer);
            EXPECT_LE(strnlen(buffer, sizeof buffer), 12u) << i << " at " << v;
        }
    }
}

TEST_F(PluginAbi, ResvdVidReadsTheMarkerAndIndicesAboveAnswerMinusOne) {
    plugin->setParameter(25, 0.7f);
    EXPECT_EQ(plugin->getParameter(25), 0.015f);
    EXPECT_EQ(plugin->getParameter(30), -1.0f);
    plugin->setParameter(30, 0.5f);
    EXPECT_EQ(plugin->getParameter(30), -1.0f);
    plugin->setParameter(-3, 0.5f);
}

// Old settings carried four Bits steps (off, 8, 16, 24) and four Scale steps (peak, K-12, K-14, K-20).
TEST_F(PluginAbi, LegacySettingsAreConverted) {
    const struct { float bits, scale; float quantize, newBits, meterType, newScale; } rows[] = {
        {0.0f, 0.0f, 0.25f, 0.5f, 0.25f, 0.5f},
        {0.9f, 0.0f, 0.75f, 0.8333334f, 0.25f, 0.5f},
        {0.4f, 0.9f, 0.75f, 0.16666667f, 0.75f, 0.8333334f},
        {0.6f, 0.3f, 0.75f, 0.5f, 0.75f, 0.16666667f},
    };
    for (const auto& row : rows) {
        plugin->setParameter(17, 1.0f);
        plugin->setParameter(10, row.bits);
        plugin->setParameter(9, row.scale);
        plugin->setParameter(25, 0.0f);
        EXPECT_EQ(plugin->getParameter(16), row.quantize);
        EXPECT_EQ(plugin->getParameter(10), row.newBits);
        EXPECT_EQ(plugin->getParameter(18), row.meterType);
        EXPECT_EQ(plugin->getParameter(9), row.newScale);
        EXPECT_EQ(plugin->getParameter(17), 0.25f);
        EXPECT_EQ(plugin->getParameter(20), 0.9375f);
        EXPECT_EQ(plugin->getParameter(19), 0.25f);
        EXPECT_EQ(plugin->getParameter(21), 0.75f);
    }
    plugin->setParameter(10, 0.1f);
    plugin->setParameter(25, 0.015f);
    EXPECT_EQ(plugin->getParameter(10), 0.1f);
}

TEST_F(PluginAbi, DeprecatedProcessLeavesOutputsUntouched) {
    std::vector<float> inL(64, 0.5f), inR(64, 0.5f), outL(64, 7.0f), outR(64, 7.0f);
    float* inputs[] = {inL.data(), inR.data()};
    float* outputs[] = {outL.data(), outR.data()};
    plugin->effect()->process(plugin->effect(), inputs, outputs, 64);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(outL[i], 7.0f);
        EXPECT_EQ(outR[i], 7.0f);
    }
}

TEST_F(PluginAbi, EveryBlockAsksForBothPins) {
    std::vector<float> in(32, 0.0f), out(32, 1.0f);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {out.data(), out.data()};
    plugin->clearRequests();
    plugin->process(inputs, outputs, 32);
    const auto requests = plugin->requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& r : requests) {
        EXPECT_EQ(r.opcode, vst::audioMasterPinConnected);
        EXPECT_EQ(r.index, 1);
    }
}

// A host whose callback stalls inside a block keeps the processing lock; a second block must
// answer with silence after the bounded wait, and a rate change must store nothing.
TEST(PluginLock, BlockedLockGivesSilenceAndLeavesTheRateAlone) {
    ASSERT_TRUE(module().loaded()) << module().error();
    std::promise<void> entered, leave;
    std::shared_future<void> leaveSignal = leave.get_future().share();
    std::atomic<bool> stall{false};
    HostAnswers answers;
    answers.onRequest = [&](int32_t opcode) {
        if (opcode == vst::audioMasterPinConnected && stall.exchange(false)) {
            entered.set_value();
            leaveSignal.wait();
        }
    };
    auto plugin = HostedPlugin::create(module(), answers);
    ASSERT_NE(plugin, nullptr);

    std::vector<float> in(64, 0.25f), outA(64, 0.0f), outL(64, 9.0f), outR(64, 9.0f);
    stall = true;
    auto first = std::async(std::launch::async, [&] {
        float* inputs[] = {in.data(), in.data()};
        float* outputs[] = {outA.data(), outA.data()};
        plugin->process(inputs, outputs, 64);
    });
    entered.get_future().wait();

    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {outL.data(), outR.data()};
    plugin->process(inputs, outputs, 64);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(outL[i], 0.0f);
        EXPECT_EQ(outR[i], 0.0f);
    }
    plugin->dispatch(vst::effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ(plugin->effect()->initialDelay, 159);
    // TransShape rebuilds under the same lock: a change that cannot take it stores nothing.
    const float shape = plugin->getParameter(4);
    plugin->setParameter(4, 0.9f);
    EXPECT_EQ(plugin->getParameter(4), shape);

    leave.set_value();
    first.get();
    plugin->dispatch(vst::effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ(plugin->effect()->initialDelay, 287);
    plugin->setParameter(4, 0.9f);
    EXPECT_EQ(plugin->getParameter(4), 0.9f);
}

}  // namespace
}  // namespace orv
