// The program store: selection, names, parameters and the host chunk.
#include "presets/factory_programs.h"
#include "recording_effect.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orv {
namespace {

using testing::RecordingEffect;

class ProgramStore : public ::testing::Test {
protected:
    RecordingEffect effect;

    ProgramRecord renamed(int32_t k, const char* name, float firstValue) {
        ProgramRecord record = effect.program(k);
        setRecordName(record.name, name);
        record.values[0] = firstValue;
        return record;
    }
};

TEST_F(ProgramStore, StartsWithTheFactoryProgramsAndChunksFlag) {
    for (int32_t k = 0; k < kNumPrograms; ++k) {
        const ProgramRecord record = effect.program(k);
        EXPECT_STREQ(terminatedName(record.name).data(), kFactoryPrograms[k].name);
        EXPECT_EQ(std::memcmp(record.values, kFactoryPrograms[k].values, sizeof record.values), 0) << k;
    }
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    EXPECT_TRUE(effect.getAeffect()->flags & vst::effFlagsProgramChunks);
    EXPECT_EQ(effect.getAeffect()->numPrograms, 1);
}

TEST_F(ProgramStore, SelectProgramAppliesAll26InOrderWithoutWritingBackThenUpdatesOnce) {
    effect.selectProgram(8);
    ASSERT_EQ(effect.applied.size(), static_cast<size_t>(kNumParams));
    for (int32_t i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(effect.applied[i].index, i);
        EXPECT_EQ(effect.applied[i].value, kFactoryPrograms[8].values[i]);
    }
    EXPECT_EQ(RecordingEffect::updateDisplays(), 1);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 8);
    EXPECT_FALSE(effect.applyingProgram());
}

TEST_F(ProgramStore, ParameterChangesGoIntoTheCurrentRecordOnly) {
    effect.selectProgram(2);
    effect.setParameter(Drive, 0.25f);
    effect.setParameter(Dummy23, 0.5f);
    effect.setParameter(26, 0.5f);
    EXPECT_EQ(effect.program(2).values[Drive], 0.25f);
    EXPECT_EQ(effect.getParameter(Dummy23), 0.5f);
    EXPECT_EQ(effect.program(3).values[Drive], kFactoryPrograms[3].values[Drive]);
    EXPECT_EQ(effect.getParameter(26), -1.0f);
    EXPECT_EQ(effect.getParameter(1000), -1.0f);
}

TEST_F(ProgramStore, HostSeesOneProgramThatNeverChanges) {
    effect.selectProgram(4);
    effect.setProgram(3);
    EXPECT_EQ(effect.getProgram(), 0);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 4);
}

TEST_F(ProgramStore, ProgramNamesAreCutTo24Characters) {
    char name[] = "Thirty characters long name!!!";
    effect.setProgramName(name);
    char out[25];
    std::memset(out, 'z', sizeof out);
    effect.getProgramName(out);
    EXPECT_STREQ(out, "Thirty characters long n");
    EXPECT_EQ(std::memcmp(effect.program(0).name, "Thirty characters long n", 24), 0);
}

TEST_F(ProgramStore, IndexedNamesOnlyFor0To23) {
    char text[25] = "untouched";
    EXPECT_TRUE(effect.getProgramNameIndexed(7, 5, text));
    EXPECT_STREQ(text, "Loudness 1");
    std::strcpy(text, "untouched");
    EXPECT_FALSE(effect.getProgramNameIndexed(0, 24, text));
    EXPECT_FALSE(effect.getProgramNameIndexed(0, -1, text));
    EXPECT_STREQ(text, "untouched");
}

TEST_F(ProgramStore, SetCurrentProgramNameTellsTheHostAlsoWithoutText) {
    effect.setCurrentProgramName("Mine");
    effect.setCurrentProgramName(nullptr);
    EXPECT_STREQ(terminatedName(effect.program(0).name).data(), "Mine");
    EXPECT_EQ(RecordingEffect::updateDisplays(), 2);
}

TEST_F(ProgramStore, ChunkRoundTripRestoresNamesValuesAndCurrentProgram) {
    effect.storeProgram(6, renamed(6, "Kept", 0.125f));
    effect.selectProgram(6);
    void* data = nullptr;
    ASSERT_EQ(effect.getChunk(&data, false), static_cast<int32_t>(kBankChunkSize));
    const std::vector<uint8_t> saved(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + kBankChunkSize);

    RecordingEffect other;
    ASSERT_EQ(other.setChunk(const_cast<uint8_t*>(saved.data()), kBankChunkSize, true), 0);
    EXPECT_EQ(other.getCurrentProgramIndex(), 6);
    EXPECT_EQ(std::memcmp(other.bank().data(), effect.bank().data(), sizeof(ProgramBank)), 0);
    ASSERT_EQ(other.applied.size(), static_cast<size_t>(kNumParams));
    EXPECT_EQ(other.applied[0].value, 0.125f);
}

TEST_F(ProgramStore, ChunkWithCurrentIndexOutsideReplacesRecordsAndAppliesNothing) {
    for (int32_t current : {24, -1}) {
        RecordingEffect source;
        source.storeProgram(0, renamed(0, "Replaced", 0.75f));
        std::array<uint8_t, kBankChunkSize> chunk;
        encodeBankChunk(source.bank(), source.getPresetId(), current, chunk);

        RecordingEffect target;
        target.selectProgram(3);
        target.applied.clear();
        ASSERT_EQ(target.setChunk(chunk.data(), kBankChunkSize, false), 0);
        EXPECT_TRUE(target.applied.empty()) << current;
        EXPECT_EQ(target.getCurrentProgramIndex(), 3);
        EXPECT_STREQ(terminatedName(target.program(0).name).data(), "Replaced");
    }
}

TEST_F(ProgramStore, RejectedChunksChangeNothing) {
    std::array<uint8_t, kBankChunkSize> chunk;
    RecordingEffect source;
    source.storeProgram(0, renamed(0, "Foreign", 0.5f));
    encodeBankChunk(source.bank(), vst::fourCharCode('X', 'y', 'z', 'w'), 0, chunk);
    EXPECT_EQ(effect.setChunk(chunk.data(), kBankChunkSize, false), -1);
    EXPECT_EQ(effect.setChunk(nullptr, kBankChunkSize, false), -1);
    encodeBankChunk(source.bank(), effect.getPresetId(), 0, chunk);
    EXPECT_EQ(effect.setChunk(chunk.data(), kBankChunkSize - 1, false), -1);
    EXPECT_EQ(effect.setChunk(chunk.data(), -5, false), -1);
    chunk[0] = 1;  // unknown marker
    EXPECT_EQ(effect.setChunk(chunk.data(), kBankChunkSize, false), 0);
    EXPECT_STREQ(terminatedName(effect.program(0).name).data(), "Default");
    EXPECT_TRUE(effect.applied.empty());
}

}  // namespace
}  // namespace orv
