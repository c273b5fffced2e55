// Engine-side metering: per channel the input and output peak holds, the running mean squares of
// input and output, and the smallest displayed gain, handed to the editor as a MeterSnapshot.
// A fetch restarts the peaks and gain holds, so each snapshot covers the samples since the last.
//
// Threading: the audio thread (under the processing lock) writes the accumulators; the editor
// thread reads them in takeSnapshot without a lock. Every value both threads touch is a relaxed
// atomic written and read whole; no ordering between values is needed.
#pragma once

#include "engine/engine_lengths.h"
#include "engine/halfband_taps.h"
#include "engine/meter_snapshot.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <initializer_list>
#include <iterator>

namespace orv {

class EngineMeters {
public:
    // `doubledHalfbandTaps`: the 32 side taps of the halfband interpolator, each already
    // multiplied by 2, [0] for the outermost sample pair and [31] for the innermost. Only read;
    // it must stay valid for the lifetime of this object. Starts reset, at 44100 Hz.
    explicit EngineMeters(const double* doubledHalfbandTaps) noexcept;

    // Engine reset (processing lock held): peaks and mean squares 0, gain holds 1, fetch flag
    // cleared, interpolation ring zeroed.
    void reset() noexcept;

    // Processing lock held: the sample rate changed; mean squares then decay to 1 % in 600 ms.
    void setSampleRate(double rate) noexcept;

    // Audio thread, once per block before the first sample. inputScale: the drive gain at block
    // start for pre-drive input metering, 1.0 for post. interpolateOutput: MeterOvs.
    void beginBlock(double inputScale, bool interpolateOutput) noexcept;

    // Audio thread, once per stereo sample of the normal path, before requantizing.
    // bL, bR: the raw input leaving the bypass delay; yL, yR: the core's result; dispL, dispR:
    // the displayed gains (1 with Power off).
    void update(double bL, double bR, double yL, double yR, double dispL, double dispR) noexcept;

    // Audio thread, once per sample while calibrating. A channel that carries noise meters it on
    // input and output alike; a silent channel's peaks and mean squares are zeroed. Gain holds
    // are only restarted by fetches.
    void updateCalibration(bool leftCarries, double noiseL, bool rightCarries, double noiseR) noexcept;

    // Any thread: AttShow changed; both gain holds restart at 1.0.
    void resetGainHolds() noexcept;

    // Editor thread, without the lock: the ten values in single precision (RMS = sqrt(2 x mean
    // square), so a full-scale sine reads 1.0); peaks and gain holds restart at the next sample.
    MeterSnapshot takeSnapshot() noexcept;

private:
    static constexpr unsigned kRingSize = kHalfbandRingMask + 1;

    struct Channel {
        std::atomic<double> inputPeak{0.0};
        std::atomic<double> outputPeak{0.0};
        std::atomic<double> inputMeanSquare{0.0};
        std::atomic<double> outputMeanSquare{0.0};
        std::atomic<double> gainHold{1.0};
        double ring[kRingSize] = {};  // audio thread only; written only while interpolating
    };
    static_assert(std::atomic<double>::is_always_lock_free);

    static double load(const std::atomic<double>& value) noexcept
    {
        return value.load(std::memory_order_relaxed);
    }
    static void store(std::atomic<double>& value, double x) noexcept
    {
        value.store(x, std::memory_order_relaxed);
    }
    static double roundToSingle(double x) noexcept
    {
        return static_cast<double>(static_cast<float>(x));
    }

    void restartHoldsIfFetched() noexcept;
    void measureInput(Channel& channel, double x) noexcept;
    void measureOutput(Channel& channel, double magnitude) noexcept;
    static void silence(Channel& channel) noexcept;

    const double* halfband_;
    Channel channels_[2];
    std::atomic<bool> fetched_{false};
    unsigned ringPos_ = 0;
    double meanSquareCoefficient_ = 0.0;
    double inputScale_ = 1.0;
    bool interpolateOutput_ = false;
};

// ---- per-sample paths, inline for the engine's loop ----

inline void EngineMeters::restartHoldsIfFetched() noexcept
{
    if (!fetched_.load(std::memory_order_relaxed)) {
        return;
    }
    fetched_.store(false, std::memory_order_relaxed);
    for (Channel& channel : channels_) {
        store(channel.inputPeak, 0.0);
        store(channel.outputPeak, 0.0);
        store(channel.gainHold, 1.0);
    }
}

inline void EngineMeters::measureInput(Channel& channel, double x) noexcept
{
    store(channel.inputPeak, std::max(load(channel.inputPeak), roundToSingle(std::abs(x))));
    const double ms = load(channel.inputMeanSquare);
    store(channel.inputMeanSquare, ms + (x * x - ms) * meanSquareCoefficient_);
}

inline void EngineMeters::measureOutput(Channel& channel, double magnitude) noexcept
{
    store(channel.outputPeak, std::max(load(channel.outputPeak), magnitude));
    const double ms = load(channel.outputMeanSquare);
    store(channel.outputMeanSquare, ms + (magnitude * magnitude - ms) * meanSquareCoefficient_);
}

inline void EngineMeters::update(double bL, double bR, double yL, double yR, double dispL,
                                 double dispR) noexcept
{
    restartHoldsIfFetched();
    Channel& left = channels_[0];
    Channel& right = channels_[1];
    measureInput(left, bL * inputScale_);
    measureInput(right, bR * inputScale_);
    store(left.gainHold, std::min(load(left.gainHold), dispL));
    store(right.gainHold, std::min(load(right.gainHold), dispR));
    if (!interpolateOutput_) {
        measureOutput(left, roundToSingle(std::abs(yL)));
        measureOutput(right, roundToSingle(std::abs(yR)));
        return;
    }
    // Reconstruction metering: peaks include the midpoints; the mean square follows the ring's
    // centre, 31 samples late, so that both see the same stretch of signal.
    const unsigned newest = ringPos_;
    ringPos_ = (ringPos_ + 1) & kHalfbandRingMask;
    left.ring[newest] = yL;
    right.ring[newest] = yR;
    for (Channel* channel : {&left, &right}) {
        const double mid = roundToSingle(std::abs(halfbandMidpoint(channel->ring, newest, halfband_)));
        store(channel->outputPeak, std::max(load(channel->outputPeak), mid));
        const double centre = channel->ring[(newest - kDetectorDelay) & kHalfbandRingMask];
        measureOutput(*channel, roundToSingle(std::abs(centre)));
    }
}

}  // namespace orv
