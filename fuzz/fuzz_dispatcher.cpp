// Any opcode, index, value and float through the dispatcher of a whole plug-in instance (linked in,
// not loaded), with a pointer to a zeroed 4 KiB buffer. Opcodes whose pointer argument has another
// shape than a plain buffer in every host are adjusted, each case below says why.
#include "engine/meter_snapshot.h"
#include "shell/plugin.h"
#include "shell/vendor_requests.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr size_t kBufferSize = 4096;

intptr_t hostCallback(vst::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == vst::audioMasterVersion ? vst::kVstVersion : 0;
}

// The per-user store of the instances goes into a private folder, made once.
void usePrivateSettingsFolder() {
    static const bool done = [] {
        const char* temporary = std::getenv("TMPDIR");
        std::string pattern = std::string(temporary && temporary[0] ? temporary : "/tmp") + "/orv-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        ::setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
        return true;
    }();
    (void)done;
}

std::unique_ptr<orv::Plugin>& instance() {
    static std::unique_ptr<orv::Plugin> plugin;
    if (!plugin) {
        usePrivateSettingsFolder();
        plugin = std::make_unique<orv::Plugin>(hostCallback);
    }
    return plugin;
}

template <typename T>
T take(const uint8_t*& data, size_t& size) {
    T value{};
    const size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

// A short block through both entries: the output must be written and finite whatever the
// dispatcher was told before.
void processAndCheck(orv::Plugin& plugin) {
    constexpr int32_t kFrames = 37;
    std::array<double, kFrames> in{}, outL{}, outR{};
    for (int32_t i = 0; i < kFrames; ++i) in[static_cast<size_t>(i)] = (i % 5) * 0.7 - 1.4;
    double* inputs[2] = {in.data(), in.data()};
    double* outputs[2] = {outL.data(), outR.data()};
    outL.fill(std::nan(""));
    outR.fill(std::nan(""));
    plugin.processDoubleReplacing(inputs, outputs, kFrames);
    for (int32_t i = 0; i < kFrames; ++i)
        if (!std::isfinite(outL[static_cast<size_t>(i)]) || !std::isfinite(outR[static_cast<size_t>(i)])) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<orv::Plugin>& plugin = instance();
    std::array<uint8_t, kBufferSize> buffer{};
    while (size > 0) {
        // The opcode byte covers every defined opcode and some beyond.
        const int32_t opcode = take<uint8_t>(data, size);
        int32_t index = take<int32_t>(data, size);
        intptr_t value = take<intptr_t>(data, size);
        const float opt = take<float>(data, size);
        // The rest of the input, up to the buffer's size, is what the buffer holds.
        buffer.fill(0);
        std::memcpy(buffer.data(), data, size < kBufferSize ? size : kBufferSize);
        void* ptr = buffer.data();
        switch (opcode) {
        case vst::effClose:
            // The instance is gone afterwards: the host forgets it; the next input gets a new one.
            plugin->getAeffect()->dispatcher(plugin->getAeffect(), opcode, index, value, ptr, opt);
            (void)plugin.release();
            plugin = nullptr;
            instance();
            continue;
        case vst::effSetChunk:
            // `value` is the byte count of the chunk at ptr.
            value = static_cast<intptr_t>(static_cast<uintptr_t>(value) % (kBufferSize + 1));
            break;
        case vst::effGetSpeakerArrangement:
            // `value` carries a pointer to the host's arrangement pointer, like ptr.
            value = reinterpret_cast<intptr_t>(buffer.data() + kBufferSize / 2);
            break;
        case vst::effVendorSpecific:
            // Our own request is tried on every other vendor-specific input.
            if (index & 1) index = orv::kMeterSnapshotRequest;
            break;
        default: break;
        }
        vst::AEffect* effect = plugin->getAeffect();
        effect->dispatcher(effect, opcode, index, value, ptr, opt);
        processAndCheck(*plugin);
    }
    return 0;
}
