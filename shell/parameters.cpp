#include "shell/parameters.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv {
namespace {

constexpr int kDisplayCapacity = 13;  // 12 characters and the terminator

double asDecibelGain(float x) noexcept { return x; }
double linkPercent(float x) noexcept { return 100.0 * static_cast<double>(x); }

constexpr ParameterInfo kParameters[kNumParams] = {
    {"Output", "dB", 0, TextFormat::Decibel, outputGain, {}},
    {"Drive", "dB", 0, TextFormat::Decibel, driveGain, {}},
    {"Transient", "ms", 0, TextFormat::Number, transientWeight, {}},
    {"Release", "ms", 0, TextFormat::Number, releaseMs, {}},
    {"TransShape", nullptr, 3, TextFormat::Words, nullptr, {"hard", "med", "soft"}},
    {"L/R Link", nullptr, 0, TextFormat::Number, linkPercent, {}},
    {"Oversample", nullptr, 2, TextFormat::Words, nullptr, {"off", "on"}},
    {"DetectorOrder", nullptr, 2, TextFormat::Words, nullptr, {"I", "II"}},
    {"Power", nullptr, 2, TextFormat::Words, nullptr, {"off", "on"}},
    {"Scale", nullptr, 3, TextFormat::Words, nullptr, {"K-12", "K-14", "K-20"}},
    {"Bits", nullptr, 3, TextFormat::Words, nullptr, {"8", "16", "24"}},
    {"NoiseShape", nullptr, 4, TextFormat::Words, nullptr, {"off", "type A", "type B", "type C"}},
    {"Calibrate", nullptr, 4, TextFormat::Words, nullptr, {"off", "left", "l+r uncor", "right"}},
    // The Leveller's text shows the decibels of x itself, not of its threshold.
    {"Leveller", "dB", 0, TextFormat::Decibel, asDecibelGain, {}},
    {"MeterOvs", nullptr, 2, TextFormat::Words, nullptr, {"off", "on"}},
    {"AutoOut", nullptr, 2, TextFormat::Words, nullptr, {"off", "on"}},
    {"Quantize", nullptr, 2, TextFormat::Words, nullptr, {"off", "on"}},
    {"Autoblack", nullptr, 2, TextFormat::Words, nullptr, {"off", "on"}},
    {"MeterType", nullptr, 2, TextFormat::Words, nullptr, {"peak", "k-system"}},
    {"AttZoom", nullptr, 2, TextFormat::Words, nullptr, {"24dB", "12dB"}},
    {"AttShow", nullptr, 8, TextFormat::Bitmask, nullptr, {}},
    {"PostMeter", nullptr, 2, TextFormat::Words, nullptr, {"pre", "post"}},
    {"dummy", nullptr, 0, TextFormat::None, nullptr, {}},
    {"dummy", nullptr, 0, TextFormat::None, nullptr, {}},
    {"dummy", nullptr, 0, TextFormat::None, nullptr, {}},
    {"resvd-vid", nullptr, 0, TextFormat::None, nullptr, {}},
};

void attShowText(int32_t mask, char* text) noexcept {
    char* end = text;
    if (mask & 1) *end++ = '1';
    if (mask & 2) *end++ = '2';
    if (mask & 4) *end++ = 'L';
    *end = '\0';
}

}  // namespace

int32_t valueToStep(float value, int32_t count) noexcept {
    const auto product = static_cast<float>(static_cast<long double>(value) * count);
    if (!(product > 0.0f)) return 0;  // also NaN
    if (product >= static_cast<float>(count)) return count - 1;
    const auto step = static_cast<int32_t>(product);
    return step >= count ? count - 1 : step;
}

float stepToValue(int32_t step, int32_t count) noexcept {
    const auto c = static_cast<float>(count);
    const float lower = static_cast<float>(step) / c;
    const float halfStep = 0.5f / c;
    return lower + halfStep;
}

float clampNormalised(float value) noexcept {
    if (!(value > 0.0f)) return 0.0f;  // also NaN
    return value < 1.0f ? value : 1.0f;
}

double outputGain(float x) noexcept { return std::exp2(2.0 * (static_cast<double>(x) - 1.0)); }
double driveGain(float x) noexcept { return std::exp2(8.0 * (static_cast<double>(x) - 0.5)); }
double levellerThreshold(float x) noexcept { return outputGain(x); }

double transientWeight(float x) noexcept {
    const double scaled = 1.4142136 * static_cast<double>(x);
    return scaled * scaled * 0.25;
}

double releaseMs(float x) noexcept {
    return std::pow(10.0, 3.0 * std::pow(static_cast<double>(x), 0.82030212));
}

const ParameterInfo& parameterInfo(int32_t index) noexcept { return kParameters[index]; }

void numberText(double value, char* text) noexcept {
    constexpr int kWidth = 8;
    double v = static_cast<float>(value);
    const bool negative = v < 0.0;
    if (negative) v = -v;
    if (!std::isfinite(v) || v > (negative ? 9999999.0 : 99999999.0)) return;

    const double integral = std::floor(v);
    char digits[16];
    const int integerDigits = std::snprintf(digits, sizeof digits, "%.0f", integral);
    const int used = (negative ? 1 : 0) + integerDigits + 1;
    int fractionDigits = kWidth - used;
    if (fractionDigits < 0) fractionDigits = 0;

    // Each fraction digit is truncated, never rounded.
    const double fraction = std::floor((v - integral) * std::pow(10.0, fractionDigits));
    char* out = text;
    if (negative) *out++ = '-';
    std::memcpy(out, digits, static_cast<size_t>(integerDigits));
    out += integerDigits;
    *out++ = '.';
    if (fractionDigits > 0) std::snprintf(out, kDisplayCapacity - (out - text), "%0*.0f", fractionDigits, fraction);
    else *out = '\0';
}

void decibelText(double gain, char* text) noexcept {
    if (!(gain > 0.0)) {
        std::memcpy(text, "-oo", 4);
        return;
    }
    const auto logarithm = static_cast<float>(std::log10(gain));
    numberText(20.0 * static_cast<double>(logarithm), text);
}

bool parameterDisplay(int32_t index, float x, char* text) noexcept {
    if (index < 0 || index >= kNumParams) return false;
    const ParameterInfo& info = kParameters[index];
    const float clamped = clampNormalised(x);
    switch (info.format) {
    case TextFormat::Number: numberText(info.displayValue(clamped), text); return true;
    case TextFormat::Decibel: decibelText(info.displayValue(clamped), text); return true;
    case TextFormat::Words:
        std::snprintf(text, kDisplayCapacity, "%s", info.words[valueToStep(clamped, info.steps)]);
        return true;
    case TextFormat::Bitmask: attShowText(valueToStep(clamped, info.steps), text); return true;
    case TextFormat::None: return false;
    }
    return false;
}

}  // namespace orv
