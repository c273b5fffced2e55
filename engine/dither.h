// The engine's random source: a three-word shift-register generator shared by the requantizer's
// dither and the calibration noise, so both draw from one running sequence.
#pragma once

#include <cstdint>

namespace orv {

class DitherGenerator {
public:
    static constexpr std::uint32_t kSeed1 = 592;
    static constexpr std::uint32_t kSeed2 = 153768;
    static constexpr std::uint32_t kSeed3 = 1526;

    // Audio thread, or with the processing lock held (engine reset): back to the seed words.
    void reset() noexcept;

    // Audio thread. One step of the three registers; returns their combined word.
    std::uint32_t nextWord() noexcept
    {
        g1_ = ((((g1_ >> 9) ^ g1_) >> 6) & 0x1FFFu) ^ (g1_ << 13);
        g2_ = ((((g2_ >> 2) ^ g2_) >> 7) & 0xFFFFFu) ^ (g2_ << 20);
        g3_ = ((((g3_ >> 6) ^ g3_) >> 8) & 0x1FFFFu) ^ (g3_ << 17);
        return g1_ ^ g2_ ^ g3_;
    }

    // Audio thread. One step mapped to [-1, 1). The scale is a hair below 2^-32, so the top word
    // stays below 1.
    double nextUniform() noexcept
    {
        return 2.0 * (static_cast<double>(nextWord()) * 2.3283064365e-10) - 1.0;
    }

    // Audio thread. Two steps averaged: a triangular value in (-1, 1), in units of one LSB.
    double nextTriangular() noexcept
    {
        const double first = nextUniform();
        const double second = nextUniform();
        return (first + second) * 0.5;
    }

private:
    std::uint32_t g1_ = kSeed1;
    std::uint32_t g2_ = kSeed2;
    std::uint32_t g3_ = kSeed3;
};

}  // namespace orv
