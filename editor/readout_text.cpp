#include "editor/readout_text.h"

#include "shell/parameters.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace orv {
namespace {

constexpr double kReleaseExponent = 0.82030212;
constexpr double kReleaseInverseExponent = 1.2190630447230832;

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool isSpace(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

double limited(double x, double lower, double upper) noexcept {
    if (x < lower) return lower;
    if (x > upper) return upper;
    return x;
}

// Writes `number` with `decimals` fraction digits, an optional explicit plus sign and a suffix,
// always with a period as decimal separator whatever the process locale.
void formatFixed(double number, int decimals, bool explicitPlus, const char* suffix, char* text) {
    char* out = text;
    char* const end = text + kReadoutTextCapacity - 8;  // room for the suffix and terminator
    if (explicitPlus && !std::signbit(number)) *out++ = '+';
    const auto result = std::to_chars(out, end, number, std::chars_format::fixed, decimals);
    out = result.ec == std::errc{} ? result.ptr : out;
    const size_t suffixLength = std::strlen(suffix);
    std::memcpy(out, suffix, suffixLength + 1);
}

bool equalsIgnoringCase(const char* text, const char* word) noexcept {
    for (; *text && *word; ++text, ++word) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(*text) != lower(*word)) return false;
    }
    return *text == '\0' && *word == '\0';
}

float decibelsBelowZeroToValue(const char* text) noexcept {
    const double x = limited(readLeadingNumber(text), -12.0, 0.0);
    return static_cast<float>((x + 12.0) / 12.0);
}

}  // namespace

double readLeadingNumber(const char* text, size_t* consumed) noexcept {
    if (consumed) *consumed = 0;
    if (!text) return 0.0;
    const char* start = text;
    while (isSpace(*start)) ++start;
    const char* digits = start;
    const bool negative = *digits == '-';
    if (*digits == '+' || *digits == '-') ++digits;
    // Only decimal numbers count: no hexadecimal, no infinity, no NaN.
    if (!(isDigit(digits[0]) || (digits[0] == '.' && isDigit(digits[1])))) return 0.0;
    double number = 0.0;
    const char* end = digits + std::strlen(digits);
    const auto result = std::from_chars(digits, end, number, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent's sign says which.
        const char* exponent = std::strpbrk(digits, "eE");
        const bool tiny = exponent && exponent < result.ptr && exponent[1] == '-';
        number = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (result.ec != std::errc{}) {
        return 0.0;
    }
    if (consumed) *consumed = static_cast<size_t>(result.ptr - text);
    return negative ? -number : number;
}

void driveValueToText(float value, char* text) {
    formatFixed((static_cast<double>(value) - 0.5) * 48.0, 2, true, "dB", text);
}

void driveTextToValue(const char* text, float* value) {
    const double x = limited(readLeadingNumber(text), -24.0, 24.0);
    *value = static_cast<float>((x + 24.0) / 48.0);
}

void outputValueToText(float value, char* text) {
    formatFixed((static_cast<double>(value) - 1.0) * 12.0, 2, true, "dB", text);
}

void outputTextToValue(const char* text, float* value) { *value = decibelsBelowZeroToValue(text); }

void percentValueToText(float value, char* text) {
    formatFixed(static_cast<double>(value) * 100.0, 1, false, "%", text);
}

void percentTextToValue(const char* text, float* value) {
    const double x = limited(readLeadingNumber(text), 0.0, 100.0);
    *value = static_cast<float>(x / 100.0);
}

void releaseValueToText(float value, char* text) {
    const double ms = std::pow(10.0, 3.0 * std::pow(static_cast<double>(value), kReleaseExponent));
    formatFixed(ms, 1, false, "ms", text);
}

void releaseTextToValue(const char* text, float* value) {
    const double x = limited(readLeadingNumber(text), 1.0, 1000.0);
    *value = static_cast<float>(std::pow(std::log10(x) / 3.0, kReleaseInverseExponent));
}

void levellerValueToText(float value, char* text) {
    if (value == 1.0f) {
        std::memcpy(text, "off", 4);
        return;
    }
    outputValueToText(value, text);
}

void levellerTextToValue(const char* text, float* value) {
    *value = text && equalsIgnoringCase(text, "off") ? 1.0f : decibelsBelowZeroToValue(text);
}

const ReadoutPair* readoutFor(int32_t parameterIndex) noexcept {
    static constexpr ReadoutPair kDrive{driveValueToText, driveTextToValue, "dB"};
    static constexpr ReadoutPair kOutput{outputValueToText, outputTextToValue, "dB"};
    static constexpr ReadoutPair kPercent{percentValueToText, percentTextToValue, "%"};
    static constexpr ReadoutPair kRelease{releaseValueToText, releaseTextToValue, "ms"};
    static constexpr ReadoutPair kLeveller{levellerValueToText, levellerTextToValue, "dB"};
    switch (parameterIndex) {
    case Drive: return &kDrive;
    case Output: return &kOutput;
    case Transient:
    case LRLink: return &kPercent;
    case Release: return &kRelease;
    case Leveller: return &kLeveller;
    default: return nullptr;
    }
}

}  // namespace orv
