// Any text through every text-to-value function of the readouts: each gives a normalised value
// within 0..1, and the number reader never reads beyond the terminator.
#include "editor/readout_text.h"
#include "shell/parameters.h"

#include <cmath>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // terminated copy
    for (int32_t index = 0; index < orv::kNumParams; ++index) {
        const orv::ReadoutPair* readout = orv::readoutFor(index);
        if (!readout) continue;
        float value = -1.0f;
        readout->textToValue(text.c_str(), &value);
        if (!(value >= 0.0f && value <= 1.0f)) __builtin_trap();
        // What the value shows reads back as a value as well.
        char shown[orv::kReadoutTextCapacity];
        readout->valueToText(value, shown);
        float again = -1.0f;
        readout->textToValue(shown, &again);
        if (!(again >= 0.0f && again <= 1.0f)) __builtin_trap();
    }
    size_t consumed = 0;
    const double number = orv::readLeadingNumber(text.c_str(), &consumed);
    if (consumed > text.size() || std::isnan(number)) __builtin_trap();
    return 0;
}
