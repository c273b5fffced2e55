// The editor's value readouts: for each of the six knob parameters a value-to-text function that
// shows a normalised value in the readout's own unit, and a text-to-value function that turns a
// typed text back into a normalised value. These scales are the editor's; the host's display
// texts are the parameter model's and differ from them.
//
// Threading: plain functions without state; any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

// Text buffers handed to a value-to-text function hold at least this many bytes.
inline constexpr size_t kReadoutTextCapacity = 256;

using ReadoutValueToText = void (*)(float value, char* text);
using ReadoutTextToValue = void (*)(const char* text, float* value);

struct ReadoutPair {
    ReadoutValueToText valueToText;
    ReadoutTextToValue textToValue;
    const char* unit;  // what a typed value is measured in: "dB", "%" or "ms"
};

// Drive: -24..+24 dB around the centre.
void driveValueToText(float value, char* text);
void driveTextToValue(const char* text, float* value);
// Output: -12..0 dB.
void outputValueToText(float value, char* text);
void outputTextToValue(const char* text, float* value);
// Transient and L/R Link: 0..100 %.
void percentValueToText(float value, char* text);
void percentTextToValue(const char* text, float* value);
// Release: 1..1000 ms.
void releaseValueToText(float value, char* text);
void releaseTextToValue(const char* text, float* value);
// Leveller: -12..0 dB, "off" at exactly 1.0 (and for a typed 0 dB).
void levellerValueToText(float value, char* text);
void levellerTextToValue(const char* text, float* value);

// The readout of a parameter index; nullptr for parameters without one.
const ReadoutPair* readoutFor(int32_t parameterIndex) noexcept;

// The number at the start of a text as a readout reads it: leading white space skipped, the
// longest decimal prefix used, 0 when there is none. `consumed` (optional) receives the number
// of characters read, white space included; 0 when there was no number.
double readLeadingNumber(const char* text, size_t* consumed = nullptr) noexcept;

}  // namespace orv
