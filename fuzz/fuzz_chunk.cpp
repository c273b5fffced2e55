// Any bytes as a host chunk: setChunk must answer 0 or -1 without reading outside them, and a
// chunk it loads must read back as the same records.
#include "presets/preset_system_effect.h"

#include <cstdint>
#include <vector>

namespace {

orv::CPresetSystemEffect& effect() {
    static orv::CPresetSystemEffect instance(nullptr);
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orv::CPresetSystemEffect& target = effect();
    if (size > 0x7fffffff) return 0;
    // The host's buffer is read-only for us; a private copy lets ASan see every access.
    std::vector<uint8_t> chunk(data, data + size);
    const int32_t result = target.setChunk(chunk.empty() ? nullptr : chunk.data(), static_cast<int32_t>(size), false);
    if (result != 0 && result != -1) __builtin_trap();
    const int32_t current = target.getCurrentProgramIndex();
    if (current < 0 || current >= orv::kNumPrograms) __builtin_trap();
    void* out = nullptr;
    if (target.getChunk(&out, true) != static_cast<int32_t>(orv::kBankChunkSize)) __builtin_trap();
    return 0;
}
