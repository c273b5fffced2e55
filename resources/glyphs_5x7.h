// The 5 x 7 dot shapes of the bitmap fonts, for the characters 32 to 127.
#pragma once

#include <array>
#include <cstdint>

namespace orv::art {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphRows = 7;
inline constexpr int kFirstGlyph = 32;
inline constexpr int kGlyphCount = 96;

// One byte per column, left to right; bit 0 is the top row, bit 6 the bottom row.
using GlyphColumns = std::array<uint8_t, kGlyphWidth>;
extern const std::array<GlyphColumns, kGlyphCount> kGlyphs5x7;

}  // namespace orv::art
