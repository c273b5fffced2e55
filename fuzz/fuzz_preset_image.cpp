// Any bytes as a preset image, in both load modes.
#include "presets/program_images.h"

namespace {
constexpr int32_t kId = 0x4f627276;  // 'Obrv'
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> image(data, size);
    for (bool endianReversed : {false, true}) {
        const auto record = orv::decodePresetImage(image, kId, endianReversed);
        if (record && size >= 5 && data[4] != orv::kPresetTag) __builtin_trap();
    }
    return 0;
}
