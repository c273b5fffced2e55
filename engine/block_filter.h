// The transient path's FIR: a W-tap kernel applied by fast convolution in blocks of W samples
// (overlap-add with transforms of 2W reals). The output lags the kernel's own delay by W - 1
// samples: out(t) = sum over i of tap i x in(t - (W - 1) - i).
//
// Threading: audio thread only (setLength and clear under the processing lock).
#pragma once

#include "engine/engine_lengths.h"
#include "engine/transform_by_size.h"

#include <algorithm>
#include <array>

namespace orv {

class BlockFilter {
public:
    // Takes effect with the next clear(); lengths outside 4..kMaxKernelLength are clamped.
    void setLength(int length) noexcept { length_ = std::clamp(length, 4, kMaxKernelLength); }
    int length() const noexcept { return length_; }

    void clear() noexcept {
        block_.fill(0.0);
        overlap_.fill(0.0);
        slot_ = 0;
    }

    // Glossary: slot j = pair (block_[2j], block_[2j + 1]) = (sample j of the block, sample j of the
    // zero-padded upper half); after the transforms the pair holds (result j, tail j). The overlap
    // keeps the previous block's tail. The read index equals the slot index: before the first full
    // block every value read is still zero, so a separate overlap index would change nothing.
    // `kernel` is the scaled spectrum of 2W reals.
    double process(double in, const double* kernel) noexcept {
        block_[2 * slot_] = in;
        if (++slot_ == length_) {
            slot_ = 0;
            const int size = 2 * length_;
            transformForward(size, block_.data());
            transformMultiply(size, block_.data(), kernel);
            transformInverse(size, block_.data());
        }
        const double out = block_[2 * slot_] + overlap_[slot_];
        overlap_[slot_] = block_[2 * slot_ + 1];
        block_[2 * slot_ + 1] = 0.0;
        return out;
    }

private:
    alignas(16) std::array<double, 2 * kMaxKernelLength> block_{};
    std::array<double, kMaxKernelLength> overlap_{};
    int length_ = kMaxKernelLength;
    int slot_ = 0;
};

}  // namespace orv
