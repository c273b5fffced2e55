// The byte images of programs: the host chunk (all programs and the current index), the preset
// image (one program) and the bank image (all programs). Each is in its writer's byte order; a
// reader tells the order from the identifier and accepts only its own identifier or its
// byte-reversed form.
//
// Threading: pure functions of their arguments; any thread.
#pragma once

#include "presets/program_record.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orv {

inline constexpr size_t kBankChunkSize = 3104;
inline constexpr size_t kPresetImageSize = 133;
inline constexpr size_t kBankImageSize = 3077;
inline constexpr uint8_t kPresetTag = 0x21;
inline constexpr uint8_t kBankTag = 0x37;
inline constexpr uint32_t kChunkMarker = 0x01000000;

void encodeBankChunk(const ProgramBank& programs, int32_t id, int32_t current,
                     std::span<uint8_t, kBankChunkSize> out) noexcept;
void encodePresetImage(const ProgramRecord& program, int32_t id,
                       std::span<uint8_t, kPresetImageSize> out) noexcept;
void encodeBankImage(const ProgramBank& programs, int32_t id, std::span<uint8_t, kBankImageSize> out) noexcept;

enum class ChunkStatus {
    Rejected,  // null, wrong size, foreign identifier or wrong program count: the host hears -1
    Ignored,   // an unknown format marker: the host hears 0 and nothing changes
    Loaded,
};

struct DecodedChunk {
    ChunkStatus status = ChunkStatus::Rejected;
    ProgramBank programs{};  // filled when Loaded
    int32_t current = 0;     // as stored; the caller checks its range
};

// The chunk must be exactly kBankChunkSize bytes.
DecodedChunk decodeBankChunk(std::span<const uint8_t> chunk, int32_t id) noexcept;

// Preset and bank images of any length: missing bytes read as zero, extra bytes are ignored, as a
// short file loads. The values are byte-reversed when exactly one of "written in the other byte
// order" and endianReversed holds. nullopt: foreign identifier or wrong tag.
std::optional<ProgramRecord> decodePresetImage(std::span<const uint8_t> image, int32_t id,
                                               bool endianReversed) noexcept;
std::optional<ProgramBank> decodeBankImage(std::span<const uint8_t> image, int32_t id,
                                           bool endianReversed) noexcept;

}  // namespace orv
