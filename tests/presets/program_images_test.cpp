// The chunk, preset and bank images: layout, both byte orders, and rejection of foreign bytes.
#include "presets/program_images.h"
#include "shell/vst2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace orv {
namespace {

constexpr int32_t kId = vst::fourCharCode('O', 'b', 'r', 'v');

ProgramRecord sampleRecord(int32_t seed) {
    ProgramRecord record{};
    std::snprintf(record.name, sizeof record.name, "Program %d", seed);
    for (int32_t i = 0; i < kNumParams; ++i) record.values[i] = static_cast<float>(seed * 100 + i) / 4096.0f;
    return record;
}

ProgramBank sampleBank() {
    ProgramBank bank;
    for (int32_t k = 0; k < kNumPrograms; ++k) bank[k] = sampleRecord(k);
    return bank;
}

bool sameBits(const ProgramRecord& a, const ProgramRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

ProgramRecord withReversedValues(ProgramRecord record) {
    for (float& value : record.values) {
        uint32_t word;
        std::memcpy(&word, &value, 4);
        word = byteSwap32(word);
        std::memcpy(&value, &word, 4);
    }
    return record;
}

// What a writer on a machine of the other byte order produces: every word reversed, names kept.
template <size_t N>
void reverseWords(std::array<uint8_t, N>& image, size_t first, std::initializer_list<size_t> headerWords) {
    auto reverseAt = [&](size_t at) { std::reverse(image.begin() + at, image.begin() + at + 4); };
    for (size_t at : headerWords) reverseAt(at);
    for (size_t record = first; record + 128 <= N; record += 128) {
        for (size_t v = 0; v < 26; ++v) reverseAt(record + 24 + 4 * v);
    }
}

TEST(BankChunk, LayoutOfHeaderAndRecords) {
    const ProgramBank bank = sampleBank();
    std::array<uint8_t, kBankChunkSize> chunk;
    chunk.fill(0xee);
    encodeBankChunk(bank, kId, 7, chunk);
    const uint8_t header[16] = {0, 0, 0, 1, 'v', 'r', 'b', 'O', 24, 0, 0, 0, 7, 0, 0, 0};
    EXPECT_EQ(std::memcmp(chunk.data(), header, 16), 0);
    for (size_t i = 16; i < 32; ++i) EXPECT_EQ(chunk[i], 0) << i;
    EXPECT_EQ(std::memcmp(&chunk[32], bank.data(), 3072), 0);
}

TEST(BankChunk, RoundTripInBothByteOrders) {
    const ProgramBank bank = sampleBank();
    std::array<uint8_t, kBankChunkSize> chunk;
    encodeBankChunk(bank, kId, 11, chunk);

    DecodedChunk native = decodeBankChunk(chunk, kId);
    ASSERT_EQ(native.status, ChunkStatus::Loaded);
    EXPECT_EQ(native.current, 11);
    EXPECT_EQ(std::memcmp(native.programs.data(), bank.data(), sizeof bank), 0);

    reverseWords(chunk, 32, {0, 8, 12, 16, 20, 24, 28});
    std::reverse(chunk.begin() + 4, chunk.begin() + 8);
    DecodedChunk reversed = decodeBankChunk(chunk, kId);
    ASSERT_EQ(reversed.status, ChunkStatus::Loaded);
    EXPECT_EQ(reversed.current, 11);
    EXPECT_EQ(std::memcmp(reversed.programs.data(), bank.data(), sizeof bank), 0);
}

TEST(BankChunk, ForeignOrDamagedChunksAreRejectedOrIgnored) {
    struct Case {
        const char* what;
        size_t offset;
        uint8_t byte;
        ChunkStatus status;
    };
    const Case cases[] = {
        {"identifier", 4, 'X', ChunkStatus::Rejected},
        {"marker", 3, 2, ChunkStatus::Ignored},
        {"program count", 8, 23, ChunkStatus::Rejected},
    };
    for (const Case& c : cases) {
        std::array<uint8_t, kBankChunkSize> chunk;
        encodeBankChunk(sampleBank(), kId, 0, chunk);
        chunk[c.offset] = c.byte;
        EXPECT_EQ(decodeBankChunk(chunk, kId).status, c.status) << c.what;
    }
    std::array<uint8_t, kBankChunkSize + 1> longer{};
    encodeBankChunk(sampleBank(), kId, 0, std::span<uint8_t, kBankChunkSize>(longer.data(), kBankChunkSize));
    EXPECT_EQ(decodeBankChunk(longer, kId).status, ChunkStatus::Rejected);
    EXPECT_EQ(decodeBankChunk(std::span(longer.data(), kBankChunkSize - 1), kId).status, ChunkStatus::Rejected);
    EXPECT_EQ(decodeBankChunk({}, kId).status, ChunkStatus::Rejected);
}

TEST(PresetImage, PackedLayoutWithValuesAtOffset29) {
    const ProgramRecord record = sampleRecord(3);
    std::array<uint8_t, kPresetImageSize> image{};
    encodePresetImage(record, kId, image);
    EXPECT_EQ(std::memcmp(image.data(), "vrbO!", 5), 0);
    EXPECT_EQ(std::memcmp(&image[5], record.name, 24), 0);
    EXPECT_EQ(std::memcmp(&image[29], record.values, 104), 0);
}

TEST(PresetImage, ValuesAreReversedWhenExactlyOneOfWriterOrderAndOptionSaysSo) {
    const ProgramRecord record = sampleRecord(9);
    std::array<uint8_t, kPresetImageSize> little{};
    encodePresetImage(record, kId, little);
    std::array<uint8_t, kPresetImageSize> big = little;
    std::reverse(big.begin(), big.begin() + 4);
    for (size_t v = 0; v < 26; ++v) std::reverse(big.begin() + 29 + 4 * v, big.begin() + 33 + 4 * v);

    struct Case {
        const std::array<uint8_t, kPresetImageSize>* image;
        bool endianReversed;
        ProgramRecord expected;
    };
    const Case cases[] = {
        {&little, false, record},
        {&little, true, withReversedValues(record)},
        {&big, false, record},
        {&big, true, withReversedValues(record)},
    };
    for (const Case& c : cases) {
        const auto decoded = decodePresetImage(*c.image, kId, c.endianReversed);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_TRUE(sameBits(*decoded, c.expected)) << (c.image == &big ? "big" : "little") << c.endianReversed;
    }
}

TEST(PresetImage, ShortImageReadsAsZeroExtendedAndLongerIsCut) {
    const ProgramRecord record = sampleRecord(1);
    std::vector<uint8_t> image(kPresetImageSize + 10, 0x5a);
    encodePresetImage(record, kId, std::span<uint8_t, kPresetImageSize>(image.data(), kPresetImageSize));
    const auto longer = decodePresetImage(image, kId, false);
    ASSERT_TRUE(longer.has_value());
    EXPECT_TRUE(sameBits(*longer, record));

    const auto shorter = decodePresetImage(std::span(image.data(), 29 + 8), kId, false);
    ASSERT_TRUE(shorter.has_value());
    EXPECT_EQ(shorter->values[1], record.values[1]);
    for (int32_t i = 2; i < kNumParams; ++i) EXPECT_EQ(shorter->values[i], 0.0f) << i;
}

TEST(Images, WrongIdentifierOrTagIsRejected) {
    std::array<uint8_t, kPresetImageSize> preset{};
    encodePresetImage(sampleRecord(0), kId, preset);
    std::array<uint8_t, kBankImageSize> bank{};
    encodeBankImage(sampleBank(), kId, bank);
    const std::array<uint8_t, kBankImageSize> zero{};

    EXPECT_FALSE(decodePresetImage(bank, kId, false).has_value()) << "bank loaded as preset";
    EXPECT_FALSE(decodeBankImage(preset, kId, false).has_value()) << "preset loaded as bank";
    EXPECT_FALSE(decodePresetImage(zero, kId, false).has_value());
    EXPECT_FALSE(decodeBankImage(zero, kId, false).has_value());
    EXPECT_FALSE(decodePresetImage(preset, vst::fourCharCode('O', 't', 'h', 'r'), false).has_value());
    EXPECT_FALSE(decodePresetImage(std::span(preset.data(), 3), kId, false).has_value());
}

TEST(BankImage, RoundTripBitForBitInBothByteOrders) {
    const ProgramBank programs = sampleBank();
    std::array<uint8_t, kBankImageSize> image{};
    encodeBankImage(programs, kId, image);
    EXPECT_EQ(std::memcmp(image.data(), "vrbO7", 5), 0);
    const auto native = decodeBankImage(image, kId, false);
    ASSERT_TRUE(native.has_value());
    EXPECT_EQ(std::memcmp(native->data(), programs.data(), sizeof programs), 0);

    std::reverse(image.begin(), image.begin() + 4);
    for (size_t record = 5; record < kBankImageSize; record += 128) {
        for (size_t v = 0; v < 26; ++v) std::reverse(image.begin() + record + 24 + 4 * v, image.begin() + record + 28 + 4 * v);
    }
    const auto reversed = decodeBankImage(image, kId, false);
    ASSERT_TRUE(reversed.has_value());
    EXPECT_EQ(std::memcmp(reversed->data(), programs.data(), sizeof programs), 0);
}

TEST(RecordName, ShortNamesAreZeroFilledLongOnesCutWithoutTerminator) {
    ProgramRecord record;
    std::memset(record.name, 'x', sizeof record.name);
    setRecordName(record.name, "Short");
    EXPECT_EQ(std::memcmp(record.name, "Short\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 24), 0);
    setRecordName(record.name, "A name of thirty characters!!");
    EXPECT_EQ(std::memcmp(record.name, "A name of thirty charact", 24), 0);
    EXPECT_STREQ(terminatedName(record.name).data(), "A name of thirty charact");
}

}  // namespace
}  // namespace orv
