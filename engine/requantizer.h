// The last stage of the normal signal path: optional reduction to 8, 16 or 24 bits with
// triangular dither inside a 12-tap error-feedback noise shaper, the digital-black gate
// (Autoblack) and the final clip to full scale.
#pragma once

#include "engine/dither.h"
#include "engine/noise_shaping_sets.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orv {

struct StereoSample {
    double left;
    double right;
};

class Requantizer {
public:
    static constexpr int kTaps = NoiseShapingSets::kTaps;

    // Starts reset, unshaped, at 44100 Hz, 16 bits, quantizing off.
    Requantizer() noexcept;

    // Engine reset (processing lock held, or no processing running): error histories and their
    // index to 0, black gain to 1e-20. The shared generator is reset by its owner.
    void reset() noexcept;

    // Processing lock held: the sample rate changed; derives the 10 ms black-gain decay.
    void setSampleRate(double rate) noexcept;

    // Audio thread between samples, or processing lock held: use `feedbackSet` (12 negated taps
    // from NoiseShapingSets, never null) from the next sample on. Restarts the history index.
    void setFeedbackSet(const double* feedbackSet) noexcept;

    // Audio thread, once per block before the first sample. bitsStep: 0 for 8, 1 for 16, 2 for
    // 24 bits (other values count as 16).
    void beginBlock(bool quantize, int bitsStep, bool autoblack) noexcept;

    // Audio thread, once per stereo sample, after the meters. Takes the core's result y and
    // returns the clipped output. With quantizing off neither `generator` nor any state moves.
    // Glossary: set_ = negated NTF taps g; hist = past total errors, newest at p_; e = y minus the
    // shaped error feedback; S (scale_) = 2^(bits-1) steps per unit; d = triangular dither. The
    // total error q - y, dither included, comes out shaped by NTF(z).
    StereoSample process(double yL, double yR, DitherGenerator& generator) noexcept
    {
        if (!quantize_) {
            return {clipToFullScale(yL), clipToFullScale(yR)};
        }
        updateBlackGain(yL, yR);
        double accL = 0.0;
        double accR = 0.0;
        int slot = p_;
        for (int k = 0; k < kTaps; ++k) {
            accL += set_[k] * histL_[slot];
            accR += set_[k] * histR_[slot];
            slot = (slot == 0) ? kTaps - 1 : slot - 1;
        }
        p_ = (p_ == kTaps - 1) ? 0 : p_ + 1;
        const double qL = quantizeOne(yL - accL, histL_[p_], generator);
        const double qR = quantizeOne(yR - accR, histR_[p_], generator);
        return {clipToFullScale(qL * blackGain_), clipToFullScale(qR * blackGain_)};
    }

    // Audio thread. Writes one output sample pair, right first, so that when both references
    // name the same host sample it ends up holding the left result.
    template <typename Sample>
    static void store(const StereoSample& out, Sample& left, Sample& right) noexcept
    {
        right = static_cast<Sample>(out.right);
        left = static_cast<Sample>(out.left);
    }

    // Clamp to [-1, 1]; NaN passes through.
    static double clipToFullScale(double x) noexcept { return std::min(std::max(x, -1.0), 1.0); }

    // Truncation toward zero to a 32-bit integer, saturating where x leaves that range (and
    // giving the lowest value for NaN) instead of being undefined.
    static std::int32_t truncateSaturating(double x) noexcept
    {
        if (x >= 2147483647.0) {
            return INT32_MAX;
        }
        if (x > -2147483649.0) {
            return static_cast<std::int32_t>(x);
        }
        return INT32_MIN;
    }

private:
    void updateBlackGain(double yL, double yR) noexcept
    {
        if (!autoblack_ || std::max(std::abs(yL), std::abs(yR)) > 1e-8) {
            blackGain_ = 1.0;
            return;
        }
        // Adding and removing 1e-30 rounds the gain to steps of about 1.8e-46. Near 4e-44 one
        // decay step becomes smaller than half a step and the gain would stall there for good;
        // a stalled gain is taken to zero so that silence really ends in digital black.
        const double decayed = (blackGain_ - blackGain_ * blackDecay_ + 1e-30) - 1e-30;
        blackGain_ = (decayed == blackGain_) ? 0.0 : decayed;
    }

    // One channel: dithered truncation of e to the word length; stores the total error.
    double quantizeOne(double e, double& errorSlot, DitherGenerator& generator) const noexcept
    {
        const double d = generator.nextTriangular();
        const std::int32_t n = truncateSaturating(e * scale_ + scale_ + d);
        const double q = (static_cast<double>(n) - scale_) * inverseScale_;
        errorSlot = q - e;
        return q;
    }

    const double* set_ = NoiseShapingSets::zeroSet();
    double histL_[kTaps] = {};
    double histR_[kTaps] = {};
    int p_ = 0;
    double blackGain_ = 1e-20;
    double blackDecay_ = 0.0;
    double scale_ = 32768.0;
    double inverseScale_ = 1.0 / 32768.0;
    bool quantize_ = false;
    bool autoblack_ = false;
};

}  // namespace orv
