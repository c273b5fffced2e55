// The table the build generates from the artwork PNGs (embedded_bitmaps.cpp in the build tree).
#pragma once

#include <span>

namespace orv::resources_detail {

struct EmbeddedBitmap {
    int id;
    std::span<const unsigned char> png;
};

// Sorted by id.
std::span<const EmbeddedBitmap> embeddedBitmaps() noexcept;

}  // namespace orv::resources_detail
