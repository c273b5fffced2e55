// The per-sample limiter path: drive, leveller, 31-sample delay, optional 2x detector, lookahead
// window maximum, follower banks, transient envelope (window maximum, block FIR, envelope delay),
// gain computer and output gain, with a bypass of the same latency. It owns every delay, ring and
// tree and the kernel spectrum, all at the capacity of the highest rate family.
//
// Threading: configure, reset and rebuildKernel run under the processing lock (or before any
// processing); process runs on the audio thread under that lock.
#pragma once

#include "engine/block_filter.h"
#include "engine/delay_ring.h"
#include "engine/engine_lengths.h"
#include "engine/follower_bank.h"
#include "engine/halfband_taps.h"
#include "engine/window_max.h"

#include <array>

namespace orv {

// Values the core reads; the engine takes them once per block from its parameter store.
struct CoreSettings {
    double driveTarget = 1.0;     // Gd, linear
    double outputTarget = 1.0;    // Go, or 1 / Gd with AutoOut
    double smoother = 0.0;        // kS
    double transient = 0.0;       // T, 0..0.5
    double link = 1.0;            // lambda, 0..1
    double levellerThreshold = 0.5;
    double levellerCoefficient = 0.0;
    bool levellerActive = true;
    bool oversample = false;
    bool secondOrder = false;
    bool power = true;
    double showFollowers = 1.0;   // AttShow weights: bit 0 ("1"), bit 1 ("2"), bit 2 ("L")
    double showTransient = 1.0;
    double showLeveller = 1.0;
    Ladder attack{};
    Ladder release{};
};

// One stereo sample leaving the core, for the meters and the final stage.
struct CoreFrame {
    double input[2];      // raw input delayed by the latency
    double output[2];     // y: limited and scaled, or the delayed raw input with Power off
    double displayed[2];  // the attenuation components AttShow selects; 1 with Power off
};

class LimiterCore {
public:
    LimiterCore() noexcept;

    // Sets lookahead and kernel lengths, rebuilds the kernel spectrum and resets everything.
    void configure(int lookahead, int kernel) noexcept;
    // Gains to their targets, leveller envelope 1e-5, followers 0, every buffer and index cleared.
    void reset(double driveTarget, double outputTarget) noexcept;

    CoreFrame process(double inL, double inR, const CoreSettings& settings) noexcept;

    int lookahead() const noexcept { return lookahead_; }
    int kernel() const noexcept { return kernel_; }
    int envelopeDelay() const noexcept { return envelopeDelayLength(lookahead_, kernel_); }
    double currentDrive() const noexcept { return drive_; }
    // The 32 doubled halfband taps, shared with the output meters' interpolator.
    const double* halfbandTaps() const noexcept { return halfbandTaps_.data(); }
    const FollowerBank& followers(int channel) const noexcept { return channels_[channel].followers; }
    const WindowMax<kMaxLookahead>& lookaheadTree(int channel) const noexcept { return channels_[channel].lookaheadMax; }
    const WindowMax<kMaxKernelLength>& transientTree(int channel) const noexcept { return channels_[channel].transientMax; }

private:
    struct Channel {
        DelayRing<kMaxLookahead + kDetectorDelay> bypass;
        DelayRing<kDetectorDelay> detectorDelay;
        DelayRing<kMaxLookahead> mainDelay;
        DelayRing<kMaxLookahead> envelopeDelay;
        std::array<double, kHalfbandRingMask + 1> interpolationRing{};
        WindowMax<kMaxLookahead> lookaheadMax;
        WindowMax<kMaxKernelLength> transientMax;
        BlockFilter transientFilter;
        FollowerBank followers;

        void setLengths(int lookahead, int kernel) noexcept;
        void clear() noexcept;
    };

    double detectorValue(const Channel& channel, double delayed, unsigned newest, bool oversample) const noexcept;

    std::array<Channel, 2> channels_{};
    alignas(16) std::array<double, 2 * kMaxKernelLength> kernelSpectrum_{};
    std::array<double, kHalfbandTapCount> halfbandTaps_{};
    int lookahead_ = kMaxLookahead;
    int kernel_ = kMaxKernelLength;
    unsigned ringPosition_ = 0;
    double drive_ = 1.0;
    double out_ = 1.0;
    double levellerEnvelope_ = 1e-5;
};

}  // namespace orv
