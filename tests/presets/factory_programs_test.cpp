// Properties of the factory program table.
#include "presets/factory_programs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace orv {
namespace {

TEST(FactoryPrograms, EveryValueIsNormalisedAndCarriesTheCurrentLayoutMarker) {
    for (const FactoryProgram& program : kFactoryPrograms) {
        for (int32_t i = 0; i < kNumParams; ++i) {
            EXPECT_GE(program.values[i], 0.0f) << program.name << " " << i;
            EXPECT_LE(program.values[i], 1.0f) << program.name << " " << i;
        }
        EXPECT_EQ(program.values[ResvdVid], kSettingsVersionMarker) << program.name;
        for (int32_t i : {Dummy22, Dummy23, Dummy24}) EXPECT_EQ(program.values[i], 0.0f) << program.name;
    }
}

TEST(FactoryPrograms, NoneStartsTheCalibrationSignalOrSwitchesThePathOff) {
    for (const FactoryProgram& program : kFactoryPrograms) {
        EXPECT_EQ(valueToStep(program.values[Calibrate], 4), 0) << program.name;
        EXPECT_EQ(valueToStep(program.values[Power], 2), 1) << program.name;
    }
}

TEST(FactoryPrograms, NamesAreDistinctAndFitTheNameField) {
    std::set<std::string> names;
    for (const FactoryProgram& program : kFactoryPrograms) {
        const size_t length = std::strlen(program.name);
        EXPECT_GT(length, 0u);
        EXPECT_LT(length, kProgramNameSize) << program.name;
        names.insert(program.name);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kNumPrograms));
    EXPECT_STREQ(kFactoryPrograms[0].name, "Default");
    EXPECT_STREQ(kFactoryPrograms[5].name, "Loudness 1");
    EXPECT_STREQ(kFactoryPrograms[23].name, "Total Disorder");
}

}  // namespace
}  // namespace orv
