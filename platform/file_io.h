// Whole-file reads and writes for small stored images: read-only opening, and writes that replace
// a file only once the new content is complete on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <sys/types.h>

namespace orv {

enum class ReadStatus { Missing, Read, TooLong };

struct FileRead {
    ReadStatus status;
    size_t size;  // bytes placed in the output
};

// Any thread. Opens `path` read-only and reads at most out.size() bytes into out. TooLong: the
// file holds more than out.size() bytes (out then holds its first bytes). Missing: it could not
// be opened or read (absent, a folder, no permission); out may hold a partial read.
FileRead readFile(const std::string& path, std::span<uint8_t> out) noexcept;

// Any thread. Writes bytes into a temporary file in the folder of `path`, flushes it and renames
// it over `path`, so readers see either the old or the new content, never a part. An existing
// file keeps its permission bits; a new one gets `newFileMode`. On failure `path` is untouched and
// the temporary file is removed.
bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         mode_t newFileMode) noexcept;

}  // namespace orv
