// The parameter model as data: one row per index with its name, label, kind and text, and the
// mappings from normalised values to the units the engine uses.
#pragma once

#include <cstdint>

namespace orv {

enum ParamIndex : int32_t {
    Output, Drive, Transient, Release, TransShape, LRLink, Oversample, DetectorOrder, Power, Scale,
    Bits, NoiseShape, Calibrate, Leveller, MeterOvs, AutoOut, Quantize, Autoblack, MeterType,
    AttZoom, AttShow, PostMeter, Dummy22, Dummy23, Dummy24, ResvdVid,
};

inline constexpr int32_t kNumParams = 26;
inline constexpr int32_t kNumEngineParams = 22;  // indices 0..21 keep state in the plug-in
inline constexpr float kSettingsVersionMarker = 0.015f;

// The one mapping between normalised values and switch positions. Any thread.
// Values below 0 and NaN fall into step 0, values from 1 up into the last step.
int32_t valueToStep(float value, int32_t count) noexcept;
// The value at the centre of a step.
float stepToValue(int32_t step, int32_t count) noexcept;

// A host may send anything; tables and the engine only ever see a value within 0..1.
float clampNormalised(float value) noexcept;

// Mappings of the continuous parameters (x within 0..1).
double outputGain(float x) noexcept;         // 0.25 .. 1
double driveGain(float x) noexcept;          // 1/16 .. 16
double transientWeight(float x) noexcept;    // 0 .. 0.5
double releaseMs(float x) noexcept;          // 1 .. 1000 ms
double levellerThreshold(float x) noexcept;  // 0.25 .. 1

enum class TextFormat { None, Number, Decibel, Words, Bitmask };

struct ParameterInfo {
    const char* name;
    const char* label;        // nullptr: the label buffer is left unchanged
    int32_t steps;            // switch positions; 0 for continuous and stored-only indices
    TextFormat format;
    double (*displayValue)(float x);  // continuous parameters: the value the text shows
    const char* words[4];             // switches: one word per step
};

const ParameterInfo& parameterInfo(int32_t index) noexcept;  // index within 0..25

// Text helpers of the adapter. Each writes at most 12 characters and a terminator.
// Number text: eight characters of sign, integer digits, point and truncated fraction digits.
void numberText(double value, char* text) noexcept;
// Decibel text of a linear gain: "-oo" for 0 and below.
void decibelText(double gain, char* text) noexcept;

// Display text of parameter `index` at normalised value x; false (text unchanged) where the
// table gives none.
bool parameterDisplay(int32_t index, float x, char* text) noexcept;

}  // namespace orv
