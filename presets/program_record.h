// One program as the store and every stored image hold it: a 24-byte name and the 26 normalised
// parameter values in index order.
#pragma once

#include "shell/parameters.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace orv {

inline constexpr int32_t kNumPrograms = 24;
inline constexpr size_t kProgramNameSize = 24;  // no terminator when the name fills the field

struct ProgramRecord {
    char name[kProgramNameSize];
    float values[kNumParams];
};
static_assert(sizeof(ProgramRecord) == 128 && std::is_trivially_copyable_v<ProgramRecord>,
              "a record is stored byte for byte");

using ProgramBank = std::array<ProgramRecord, kNumPrograms>;

// Any thread. A source shorter than the field is copied with zero bytes after it; a longer one
// keeps its first 24 characters without terminator.
void setRecordName(char (&field)[kProgramNameSize], const char* source) noexcept;

// The name field as a terminated text (25 bytes).
std::array<char, kProgramNameSize + 1> terminatedName(const char (&field)[kProgramNameSize]) noexcept;

constexpr uint32_t byteSwap32(uint32_t word) noexcept {
    return (word >> 24) | ((word >> 8) & 0x0000ff00u) | ((word << 8) & 0x00ff0000u) | (word << 24);
}

}  // namespace orv
