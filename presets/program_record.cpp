#include "presets/program_record.h"

#include <cstring>

namespace orv {

void setRecordName(char (&field)[kProgramNameSize], const char* source) noexcept {
    const size_t length = strnlen(source, kProgramNameSize);
    std::memset(field, 0, kProgramNameSize);
    std::memcpy(field, source, length);
}

std::array<char, kProgramNameSize + 1> terminatedName(const char (&field)[kProgramNameSize]) noexcept {
    std::array<char, kProgramNameSize + 1> text{};
    std::memcpy(text.data(), field, kProgramNameSize);
    return text;
}

}  // namespace orv
