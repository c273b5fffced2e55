#include "editor/readout_text.h"

#include "shell/parameters.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

std::string shown(ReadoutValueToText toText, float value) {
    char text[kReadoutTextCapacity] = {};
    toText(value, text);
    return text;
}

float typed(ReadoutTextToValue toValue, const char* text) {
    float value = -99.0f;
    toValue(text, &value);
    return value;
}

struct TextCase {
    const char* readout;
    ReadoutValueToText toText;
    float value;
    const char* expected;
};

class ReadoutShows : public testing::TestWithParam<TextCase> {};

TEST_P(ReadoutShows, TheValueInItsUnit) {
    EXPECT_EQ(shown(GetParam().toText, GetParam().value), GetParam().expected) << GetParam().readout;
}

INSTANTIATE_TEST_SUITE_P(
    Readouts, ReadoutShows,
    testing::Values(TextCase{"drive centre", driveValueToText, 0.5f, "+0.00dB"},
                    TextCase{"drive bottom", driveValueToText, 0.0f, "-24.00dB"},
                    TextCase{"drive top is 24, not the engine's 24.08", driveValueToText, 1.0f, "+24.00dB"},
                    TextCase{"output top", outputValueToText, 1.0f, "+0.00dB"},
                    TextCase{"output half", outputValueToText, 0.5f, "-6.00dB"},
                    TextCase{"percent full", percentValueToText, 1.0f, "100.0%"},
                    TextCase{"percent small", percentValueToText, 0.02f, "2.0%"},
                    TextCase{"release bottom", releaseValueToText, 0.0f, "1.0ms"},
                    TextCase{"release top", releaseValueToText, 1.0f, "1000.0ms"},
                    TextCase{"release half", releaseValueToText, 0.5f, "50.0ms"},
                    TextCase{"leveller exactly 1 is off", levellerValueToText, 1.0f, "off"},
                    TextCase{"leveller just below 1", levellerValueToText, 0.99999994f, "-0.00dB"},
                    TextCase{"leveller bottom", levellerValueToText, 0.0f, "-12.00dB"}));

struct ValueCase {
    const char* readout;
    ReadoutTextToValue toValue;
    const char* text;
    float expected;
};

class ReadoutReads : public testing::TestWithParam<ValueCase> {};

TEST_P(ReadoutReads, TypedTextLimitedInItsUnit) {
    EXPECT_FLOAT_EQ(typed(GetParam().toValue, GetParam().text), GetParam().expected)
        << GetParam().readout << " \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Readouts, ReadoutReads,
    testing::Values(ValueCase{"drive below range", driveTextToValue, "-30", 0.0f},
                    ValueCase{"drive inside", driveTextToValue, "7.5", 0.65625f},
                    ValueCase{"drive with unit and spaces", driveTextToValue, "  +6dB", 0.625f},
                    ValueCase{"drive above range", driveTextToValue, "1e9", 1.0f},
                    ValueCase{"drive overflowing number", driveTextToValue, "1e999", 1.0f},
                    ValueCase{"drive without a number", driveTextToValue, "dB", 0.5f},
                    ValueCase{"drive: no NaN from text", driveTextToValue, "nan", 0.5f},
                    ValueCase{"drive: no infinity from text", driveTextToValue, "-inf", 0.5f},
                    ValueCase{"drive: hexadecimal reads its leading 0", driveTextToValue, "0x10", 0.5f},
                    ValueCase{"output above range", outputTextToValue, "3", 1.0f},
                    ValueCase{"output half", outputTextToValue, "-6", 0.5f},
                    ValueCase{"output 3dB reads 3", outputTextToValue, "3dB", 1.0f},
                    ValueCase{"percent above range", percentTextToValue, "150", 1.0f},
                    ValueCase{"percent below range", percentTextToValue, "-5", 0.0f},
                    ValueCase{"percent leading point", percentTextToValue, ".5", 0.005f},
                    ValueCase{"release below range", releaseTextToValue, "0.2", 0.0f},
                    ValueCase{"release top", releaseTextToValue, "1000ms", 1.0f},
                    ValueCase{"leveller off", levellerTextToValue, "off", 1.0f},
                    ValueCase{"leveller OFF in capitals", levellerTextToValue, "OfF", 1.0f},
                    ValueCase{"leveller 0 dB is off", levellerTextToValue, "0", 1.0f},
                    ValueCase{"leveller bottom", levellerTextToValue, "-12", 0.0f},
                    ValueCase{"leveller: only the whole word is off", levellerTextToValue, "-6off", 0.5f}));

TEST(ReadoutText, Release200msLandsWithinAHundredthOfTheParameterModelsCurve) {
    const float value = typed(releaseTextToValue, "200");
    EXPECT_NEAR(value, 0.7237, 0.0001);
    EXPECT_NEAR(releaseMs(value), 200.0, 0.01);
}

TEST(ReadoutText, LevellerTypedZeroShowsOff) {
    EXPECT_EQ(shown(levellerValueToText, typed(levellerTextToValue, "0")), "off");
}

TEST(ReadoutText, DriveBelowRangeShowsTheBottom) {
    EXPECT_EQ(shown(driveValueToText, typed(driveTextToValue, "-30")), "-24.00dB");
}

TEST(ReadoutText, PercentAboveRangeShowsFull) {
    EXPECT_EQ(shown(percentValueToText, typed(percentTextToValue, "150")), "100.0%");
}

TEST(ReadoutText, EachKnobHasItsPairAndSwitchesHaveNone) {
    struct Expected {
        int32_t index;
        ReadoutValueToText toText;
        const char* unit;
    };
    const Expected knobs[] = {{Drive, driveValueToText, "dB"},     {Output, outputValueToText, "dB"},
                              {Transient, percentValueToText, "%"}, {LRLink, percentValueToText, "%"},
                              {Release, releaseValueToText, "ms"},  {Leveller, levellerValueToText, "dB"}};
    for (const Expected& knob : knobs) {
        const ReadoutPair* pair = readoutFor(knob.index);
        ASSERT_NE(pair, nullptr) << knob.index;
        EXPECT_EQ(pair->valueToText, knob.toText) << knob.index;
        EXPECT_STREQ(pair->unit, knob.unit) << knob.index;
    }
    for (const int32_t index : {int32_t{TransShape}, int32_t{Bits}, int32_t{Power}, int32_t{ResvdVid}, 26, -1})
        EXPECT_EQ(readoutFor(index), nullptr) << index;
}

TEST(ReadoutText, LeadingNumberReportsWhatItConsumed) {
    size_t consumed = 99;
    EXPECT_DOUBLE_EQ(readLeadingNumber(" -2.5e1ms", &consumed), -25.0);
    EXPECT_EQ(consumed, 7u);
    EXPECT_DOUBLE_EQ(readLeadingNumber("ms", &consumed), 0.0);
    EXPECT_EQ(consumed, 0u);
    EXPECT_DOUBLE_EQ(readLeadingNumber("4e", &consumed), 4.0);
    EXPECT_EQ(consumed, 1u);
}

}  // namespace
}  // namespace orv
