// Any bytes as a bank image, in both load modes.
#include "presets/program_images.h"

namespace {
constexpr int32_t kId = 0x4f627276;  // 'Obrv'
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> image(data, size);
    for (bool endianReversed : {false, true}) {
        const auto bank = orv::decodeBankImage(image, kId, endianReversed);
        if (bank && size >= 5 && data[4] != orv::kBankTag) __builtin_trap();
    }
    return 0;
}
