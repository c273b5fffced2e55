#include "resources/bitmaps.h"

#include <algorithm>

#include "resources/embedded_bitmaps.h"

namespace orv {

std::span<const unsigned char> bitmapPng(int id) noexcept {
    const auto table = resources_detail::embeddedBitmaps();
    const auto found = std::lower_bound(table.begin(), table.end(), id,
                                        [](const auto& entry, int wanted) { return entry.id < wanted; });
    if (found == table.end() || found->id != id) return {};
    return found->png;
}

}  // namespace orv
