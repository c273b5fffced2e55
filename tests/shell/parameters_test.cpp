// The parameter model's mappings and texts.
#include "shell/parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace orv {
namespace {

std::string number(double v) {
    char text[16] = "unchanged";
    numberText(v, text);
    return text;
}

std::string decibels(double g) {
    char text[16] = "unchanged";
    decibelText(g, text);
    return text;
}

TEST(NumberText, EightCharactersWithTruncatedDigits) {
    const struct { double value; const char* text; } cases[] = {
        {0.5, "0.500000"},   {50.0, "50.00000"},      {100.0, "100.0000"}, {199.98675, "199.9867"},
        {-6.0206, "-6.02059"}, {0.0, "0.000000"},     {0.125, "0.125000"}, {1000.0, "1000.000"},
        {9999999.0, "9999999."}, {-999999.0, "-999999."},
    };
    for (const auto& c : cases) EXPECT_EQ(number(c.value), c.text) << c.value;
}

TEST(NumberText, WritesNothingBeyondItsRange) {
    EXPECT_EQ(number(1e9), "unchanged");
    EXPECT_EQ(number(-1e8), "unchanged");
    EXPECT_EQ(number(std::numeric_limits<double>::quiet_NaN()), "unchanged");
    EXPECT_EQ(number(99999999.0), "unchanged");  // 1e8 as a float
    EXPECT_EQ(number(12345678.0), "12345678.");
}

TEST(DecibelText, ExamplesAndMinusInfinity) {
    EXPECT_EQ(decibels(1.0), "0.000000");
    EXPECT_EQ(decibels(0.5), "-6.02060");
    EXPECT_EQ(decibels(16.0), "24.08240");
    EXPECT_EQ(decibels(1.0 / 16.0), "-24.0824");
    EXPECT_EQ(decibels(0.0), "-oo");
    EXPECT_EQ(decibels(-1.0), "-oo");
}

TEST(Steps, ValueToStepAndBack) {
    EXPECT_EQ(valueToStep(1.0f, 3), 2);
    EXPECT_EQ(valueToStep(0.0f, 3), 0);
    EXPECT_EQ(valueToStep(0.5f, 3), 1);
    EXPECT_EQ(valueToStep(1.0f / 3.0f, 3), 1);
    EXPECT_EQ(valueToStep(0.6666667f, 3), 2);
    EXPECT_EQ(valueToStep(0.9375f, 8), 7);
    EXPECT_FLOAT_EQ(stepToValue(1, 3), 0.5f);
    const struct { int step, count; float value; } centres[] = {
        {0, 2, 0.25f}, {1, 2, 0.75f}, {1, 3, 0.5f}, {2, 3, 0.83333337f}, {0, 4, 0.125f}, {7, 8, 0.9375f},
    };
    for (const auto& c : centres) EXPECT_EQ(stepToValue(c.step, c.count), c.value) << c.step << "/" << c.count;
    for (int count : {2, 3, 4, 8, 100})
        for (int step = 0; step < count; ++step) EXPECT_EQ(valueToStep(stepToValue(step, count), count), step);
}

TEST(Steps, HostileValuesStayWithinTheTable) {
    for (float v : {-1.0f, -1e30f, 2.0f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()}) {
        const int step = valueToStep(v, 4);
        EXPECT_GE(step, 0) << v;
        EXPECT_LE(step, 3) << v;
        const float clamped = clampNormalised(v);
        EXPECT_GE(clamped, 0.0f);
        EXPECT_LE(clamped, 1.0f);
    }
}

TEST(Mappings, EndpointsOfTheContinuousParameters) {
    EXPECT_DOUBLE_EQ(outputGain(0.0f), 0.25);
    EXPECT_DOUBLE_EQ(outputGain(1.0f), 1.0);
    EXPECT_DOUBLE_EQ(driveGain(0.0f), 1.0 / 16.0);
    EXPECT_DOUBLE_EQ(driveGain(0.5f), 1.0);
    EXPECT_DOUBLE_EQ(driveGain(1.0f), 16.0);
    EXPECT_NEAR(transientWeight(1.0f), 0.5, 1e-7);
    EXPECT_DOUBLE_EQ(releaseMs(0.0f), 1.0);
    EXPECT_NEAR(releaseMs(0.5f), 50.0, 0.01);
    EXPECT_DOUBLE_EQ(releaseMs(1.0f), 1000.0);
}

TEST(Display, TableTexts) {
    const struct { int index; float value; const char* text; } cases[] = {
        {Output, 0.0f, "-12.0412"}, {Drive, 1.0f, "24.08240"}, {Leveller, 0.0f, "-oo"},
        {Transient, 0.2f, "0.020000"}, {Release, 0.7237f, "199.9867"}, {LRLink, 1.0f, "100.0000"},
        {AttShow, stepToValue(5, 8), "1L"}, {AttShow, 0.0f, ""}, {AttShow, 0.9375f, "12L"},
        {Bits, 1.0f, "24"}, {Bits, 0.0f, "8"}, {TransShape, 0.166667f, "hard"},
        {NoiseShape, 0.625f, "type B"}, {Calibrate, 0.6f, "l+r uncor"}, {MeterType, 0.75f, "k-system"},
        {AttZoom, 0.75f, "12dB"}, {PostMeter, 0.75f, "post"}, {DetectorOrder, 0.75f, "II"},
        {Output, std::numeric_limits<float>::quiet_NaN(), "-12.0412"}, {Drive, 7.0f, "24.08240"},
    };
    for (const auto& c : cases) {
        char text[32] = "unchanged";
        EXPECT_TRUE(parameterDisplay(c.index, c.value, text));
        EXPECT_STREQ(text, c.text) << parameterInfo(c.index).name << " at " << c.value;
    }
    char text[32] = "unchanged";
    EXPECT_FALSE(parameterDisplay(Dummy22, 0.5f, text));
    EXPECT_FALSE(parameterDisplay(ResvdVid, 0.5f, text));
    EXPECT_STREQ(text, "unchanged");
}

}  // namespace
}  // namespace orv
