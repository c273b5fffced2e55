// The editor's bitmaps, embedded in the module as PNG images.
#pragma once

#include <span>

namespace orv {

// Any thread. The PNG bytes of the bitmap with this resource id; empty for an unknown id.
std::span<const unsigned char> bitmapPng(int id) noexcept;

}  // namespace orv
