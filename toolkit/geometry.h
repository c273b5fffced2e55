// Points, rectangles and colours in window pixels (origin top left, y grows downwards).
#pragma once

#include <algorithm>
#include <cstdint>

namespace orv {

using CCoord = double;

struct CPoint {
    CCoord x = 0;
    CCoord y = 0;
    bool operator==(const CPoint&) const = default;
};

// Left and top are inside, right and bottom just outside.
struct CRect {
    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}

    constexpr CCoord getWidth() const { return right - left; }
    constexpr CCoord getHeight() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getCenter() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Shares at least one pixel with other.
    constexpr bool rectOverlap(const CRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr CRect intersected(const CRect& o) const {
        CRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
        return r.isEmpty() ? CRect{} : r;
    }
    constexpr CRect offset(CCoord dx, CCoord dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const CRect&) const = default;
};

struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
    bool operator==(const CColor&) const = default;
};

inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};

}  // namespace orv
