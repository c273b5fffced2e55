// A fixed-capacity delay: exchange() returns the value stored `length` samples earlier and stores
// the new one in its place.
//
// Threading: audio thread only (setLength and clear under the processing lock).
#pragma once

#include <algorithm>
#include <array>

namespace orv {

template <int Capacity>
class DelayRing {
public:
    // Takes effect with the next clear(); lengths outside 1..Capacity are clamped.
    void setLength(int length) noexcept { length_ = std::clamp(length, 1, Capacity); }
    int length() const noexcept { return length_; }

    void clear() noexcept {
        values_.fill(0.0);
        index_ = 0;
    }

    double exchange(double v) noexcept {
        const double delayed = values_[index_];
        values_[index_] = v;
        index_ = index_ + 1 == length_ ? 0 : index_ + 1;
        return delayed;
    }

private:
    std::array<double, Capacity> values_{};
    int length_ = Capacity;
    int index_ = 0;
};

}  // namespace orv
