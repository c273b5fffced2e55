// File locations of the preset dialogs: the chosen path split into folder and name, and the
// files read and written by their full path (the process's current directory is never changed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace orv {

inline constexpr size_t kLocationSize = 257;  // 256 characters and the terminator
using LocationBuffer = char[kLocationSize];

// UI thread. Splits path at its last '/': the text after it into name, the text up to and
// including it into folder, each terminated. Changes nothing and returns false when path has no
// '/' or when the name or the folder would not fit.
bool splitSelectedPath(const char* path, LocationBuffer& name, LocationBuffer& folder) noexcept;

// UI thread. Opens folder + name read-only and reads at most out.size() bytes into out, which is
// zeroed first: a shorter file leaves the rest zero, one that cannot be opened leaves all zero.
void readPresetStream(const char* folder, const char* name, std::span<uint8_t> out) noexcept;

// UI thread. Writes bytes as folder + name through a temporary file in that folder and a rename,
// so a failed save leaves the previous file as it was.
bool writePresetStream(const char* folder, const char* name, std::span<const uint8_t> bytes) noexcept;

}  // namespace orv
