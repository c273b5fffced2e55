#include "presets/preset_paths.h"

#include "platform/file_io.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace orv {
namespace {

constexpr mode_t kPresetFileMode = 0644;

std::string joined(const char* folder, const char* name) { return std::string(folder) + name; }

}  // namespace

bool splitSelectedPath(const char* path, LocationBuffer& name, LocationBuffer& folder) noexcept {
    const char* slash = std::strrchr(path, '/');
    if (!slash) return false;
    const size_t folderLength = static_cast<size_t>(slash - path) + 1;
    const size_t nameLength = std::strlen(slash + 1);
    if (folderLength >= kLocationSize || nameLength >= kLocationSize) return false;
    std::memcpy(folder, path, folderLength);
    folder[folderLength] = '\0';
    std::memcpy(name, slash + 1, nameLength + 1);
    return true;
}

void readPresetStream(const char* folder, const char* name, std::span<uint8_t> out) noexcept {
    std::fill(out.begin(), out.end(), uint8_t{0});
    try {
        if (readFile(joined(folder, name), out).status == ReadStatus::Missing) {
            std::fill(out.begin(), out.end(), uint8_t{0});
        }
    } catch (...) {  // the path could not be allocated: nothing was read
    }
}

bool writePresetStream(const char* folder, const char* name, std::span<const uint8_t> bytes) noexcept {
    try {
        return writeFileAtomically(joined(folder, name), bytes, kPresetFileMode);
    } catch (...) {
        return false;
    }
}

}  // namespace orv
