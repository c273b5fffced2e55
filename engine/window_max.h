// Running maximum of the last N inserted values (N up to Capacity), as an implicit binary tree:
// element 0 is a sentinel above any signal value, leaf i is element N + i, the parent of k is k / 2
// and element 1 is the maximum. An insert climbs only while the maximum can change: O(log N).
//
// Threading: audio thread only (setLength and clear under the processing lock).
#pragma once

#include <algorithm>
#include <array>

namespace orv {

inline constexpr double kWindowMaxSentinel = 1e10;

template <int Capacity>
class WindowMax {
public:
    // Takes effect with the next clear(); lengths outside 1..Capacity are clamped.
    void setLength(int length) noexcept { length_ = std::clamp(length, 1, Capacity); }
    int length() const noexcept { return length_; }

    // Zeroes the whole tree, writes the sentinel and restarts at leaf 0.
    void clear() noexcept {
        tree_.fill(0.0);
        tree_[0] = kWindowMaxSentinel;
        position_ = 0;
    }

    // Inserts v at the current leaf and returns the maximum of the last N values.
    double insert(double v) noexcept {
        int k = length_ + position_;
        const double old = tree_[k];
        tree_[k] = v;
        // The k > 1 guard keeps the climb inside the tree even for values above the sentinel.
        if (v > old) {
            while (k > 1 && tree_[k ^ 1] < v) {
                k >>= 1;
                tree_[k] = v;
            }
        } else {
            while (k > 1 && tree_[k ^ 1] < old) {
                k >>= 1;
                tree_[k] = std::max(tree_[2 * k], tree_[2 * k + 1]);
            }
        }
        position_ = position_ + 1 == length_ ? 0 : position_ + 1;
        return tree_[1];
    }

    const std::array<double, 2 * Capacity>& elements() const noexcept { return tree_; }

private:
    std::array<double, 2 * Capacity> tree_{};
    int length_ = Capacity;
    int position_ = 0;
};

}  // namespace orv
