#include "presets/program_images.h"

#include <algorithm>
#include <cstring>

namespace orv {
namespace {

constexpr size_t kNameOffset = 5;  // preset and bank images: identifier, tag, then records
constexpr size_t kChunkRecordsOffset = 32;
constexpr size_t kValuesSize = sizeof(float) * kNumParams;

uint32_t readWord(const uint8_t* at) noexcept {
    uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

void writeWord(uint8_t* at, uint32_t word) noexcept { std::memcpy(at, &word, sizeof word); }

uint32_t asWord(int32_t value) noexcept { return static_cast<uint32_t>(value); }

enum class ByteOrder { Native, Reversed };

std::optional<ByteOrder> identifierOrder(uint32_t stored, int32_t id) noexcept {
    if (stored == asWord(id)) return ByteOrder::Native;
    if (stored == byteSwap32(asWord(id))) return ByteOrder::Reversed;
    return std::nullopt;
}

// Writes one record as name and values, packed (the values may start at an odd offset).
uint8_t* writeRecord(uint8_t* at, const ProgramRecord& record) noexcept {
    std::memcpy(at, record.name, kProgramNameSize);
    std::memcpy(at + kProgramNameSize, record.values, kValuesSize);
    return at + kProgramNameSize + kValuesSize;
}

const uint8_t* readRecord(const uint8_t* at, bool reverseValues, ProgramRecord& record) noexcept {
    std::memcpy(record.name, at, kProgramNameSize);
    at += kProgramNameSize;
    for (int32_t i = 0; i < kNumParams; ++i, at += sizeof(float)) {
        const uint32_t word = readWord(at);
        const uint32_t value = reverseValues ? byteSwap32(word) : word;
        std::memcpy(&record.values[i], &value, sizeof value);
    }
    return at;
}

// A preset or bank image of exactly Size bytes, zero-extended or cut.
template <size_t Size>
std::array<uint8_t, Size> fitted(std::span<const uint8_t> image) noexcept {
    std::array<uint8_t, Size> bytes{};
    std::copy_n(image.begin(), std::min(image.size(), Size), bytes.begin());
    return bytes;
}

// Checks identifier and tag; the result tells whether the values are to be byte-reversed.
std::optional<bool> reverseValuesOf(const uint8_t* image, uint8_t tag, int32_t id, bool endianReversed) noexcept {
    const auto order = identifierOrder(readWord(image), id);
    if (!order || image[4] != tag) return std::nullopt;
    return (*order == ByteOrder::Reversed) != endianReversed;
}

}  // namespace

void encodeBankChunk(const ProgramBank& programs, int32_t id, int32_t current,
                     std::span<uint8_t, kBankChunkSize> out) noexcept {
    std::fill(out.begin(), out.end(), uint8_t{0});
    writeWord(&out[0], kChunkMarker);
    writeWord(&out[4], asWord(id));
    writeWord(&out[8], asWord(kNumPrograms));
    writeWord(&out[12], asWord(current));
    std::memcpy(&out[kChunkRecordsOffset], programs.data(), sizeof(ProgramBank));
}

DecodedChunk decodeBankChunk(std::span<const uint8_t> chunk, int32_t id) noexcept {
    DecodedChunk decoded;
    if (chunk.data() == nullptr || chunk.size() != kBankChunkSize) return decoded;
    const auto order = identifierOrder(readWord(&chunk[4]), id);
    if (!order) return decoded;
    const bool reversed = *order == ByteOrder::Reversed;
    auto header = [&](size_t offset) {
        const uint32_t word = readWord(&chunk[offset]);
        return reversed ? byteSwap32(word) : word;
    };
    if (header(0) != kChunkMarker) {
        decoded.status = ChunkStatus::Ignored;
        return decoded;
    }
    if (header(8) != asWord(kNumPrograms)) return decoded;
    decoded.current = static_cast<int32_t>(header(12));
    const uint8_t* at = &chunk[kChunkRecordsOffset];
    for (ProgramRecord& record : decoded.programs) at = readRecord(at, reversed, record);
    decoded.status = ChunkStatus::Loaded;
    return decoded;
}

void encodePresetImage(const ProgramRecord& program, int32_t id,
                       std::span<uint8_t, kPresetImageSize> out) noexcept {
    writeWord(&out[0], asWord(id));
    out[4] = kPresetTag;
    writeRecord(&out[kNameOffset], program);
}

void encodeBankImage(const ProgramBank& programs, int32_t id, std::span<uint8_t, kBankImageSize> out) noexcept {
    writeWord(&out[0], asWord(id));
    out[4] = kBankTag;
    uint8_t* at = &out[kNameOffset];
    for (const ProgramRecord& record : programs) at = writeRecord(at, record);
}

std::optional<ProgramRecord> decodePresetImage(std::span<const uint8_t> image, int32_t id,
                                               bool endianReversed) noexcept {
    const auto bytes = fitted<kPresetImageSize>(image);
    const auto reverse = reverseValuesOf(bytes.data(), kPresetTag, id, endianReversed);
    if (!reverse) return std::nullopt;
    ProgramRecord record;
    readRecord(&bytes[kNameOffset], *reverse, record);
    return record;
}

std::optional<ProgramBank> decodeBankImage(std::span<const uint8_t> image, int32_t id,
                                           bool endianReversed) noexcept {
    const auto bytes = fitted<kBankImageSize>(image);
    const auto reverse = reverseValuesOf(bytes.data(), kBankTag, id, endianReversed);
    if (!reverse) return std::nullopt;
    ProgramBank bank;
    const uint8_t* at = &bytes[kNameOffset];
    for (ProgramRecord& record : bank) at = readRecord(at, *reverse, record);
    return bank;
}

}  // namespace orv
