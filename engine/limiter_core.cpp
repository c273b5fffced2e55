#include "engine/limiter_core.h"

#include "engine/transient_kernel.h"

#include <algorithm>
#include <cmath>

namespace orv {
namespace {

constexpr double kFloor = 1e-5;
constexpr double kOversampleMargin = 1.001;

// Turns values that could decay into denormals into exact zero.
inline double flush(double x) noexcept { return (x + 1e-30) - 1e-30; }

}  // namespace

LimiterCore::LimiterCore() noexcept {
    for (int k = 0; k < kHalfbandTapCount; ++k) halfbandTaps_[k] = 2.0 * kHalfbandCoefficients[k];
}

void LimiterCore::Channel::setLengths(int lookahead, int kernel) noexcept {
    bypass.setLength(lookahead + kDetectorDelay);
    detectorDelay.setLength(kDetectorDelay);
    mainDelay.setLength(lookahead);
    envelopeDelay.setLength(envelopeDelayLength(lookahead, kernel));
    lookaheadMax.setLength(lookahead);
    transientMax.setLength(kernel);
    transientFilter.setLength(kernel);
}

void LimiterCore::Channel::clear() noexcept {
    bypass.clear();
    detectorDelay.clear();
    mainDelay.clear();
    envelopeDelay.clear();
    interpolationRing.fill(0.0);
    lookaheadMax.clear();
    transientMax.clear();
    transientFilter.clear();
    followers.reset();
}

void LimiterCore::configure(int lookahead, int kernel) noexcept {
    lookahead_ = std::clamp(lookahead, 1, kMaxLookahead);
    kernel_ = std::clamp(kernel, 4, kMaxKernelLength);
    for (Channel& channel : channels_) channel.setLengths(lookahead_, kernel_);
    buildTransientKernelSpectrum(kernel_, kernelSpectrum_.data());
    reset(drive_, out_);
}

void LimiterCore::reset(double driveTarget, double outputTarget) noexcept {
    drive_ = driveTarget;
    out_ = outputTarget;
    levellerEnvelope_ = kFloor;
    ringPosition_ = 0;
    for (Channel& channel : channels_) channel.clear();
}

double LimiterCore::detectorValue(const Channel& channel, double delayed, unsigned newest,
                                  bool oversample) const noexcept {
    if (!oversample) return delayed;
    const double* ring = channel.interpolationRing.data();
    const double mid = halfbandMidpoint(ring, newest, halfbandTaps_.data());
    const double centre = ring[(newest - kDetectorDelay) & kHalfbandRingMask];  // equals `delayed`
    return kOversampleMargin * (std::fabs(mid) >= std::fabs(centre) ? mid : centre);
}

// Glossary: x raw input; d driven and levelled; s d delayed 31 samples (aligned with the
// interpolator's centre); p detector value; g the signal to limit (s delayed by the lookahead);
// v floored detector magnitude; a lookahead window maximum; det linked follower input; f follower
// maximum; e smoothed transient envelope (window-W maximum through the block FIR and envelope delay).
CoreFrame LimiterCore::process(double inL, double inR, const CoreSettings& settings) noexcept {
    drive_ = flush(drive_ + (settings.driveTarget - drive_) * settings.smoother);
    out_ = flush(out_ + (settings.outputTarget - out_) * settings.smoother);

    const double x[2] = {inL, inR};
    double bypassed[2];
    double driven[2];
    for (int c = 0; c < 2; ++c) {
        bypassed[c] = channels_[c].bypass.exchange(x[c]);
        driven[c] = x[c] * drive_;
    }

    const double peak = std::max({std::fabs(driven[0]), std::fabs(driven[1]), kFloor});
    levellerEnvelope_ += (peak - levellerEnvelope_) * settings.levellerCoefficient;
    const double levellerGain = settings.levellerActive && levellerEnvelope_ > settings.levellerThreshold
                                    ? settings.levellerThreshold / levellerEnvelope_
                                    : 1.0;

    const unsigned newest = ringPosition_;
    ringPosition_ = (ringPosition_ + 1) & kHalfbandRingMask;

    double limited[2];
    double detector[2];
    double window[2];
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[c];
        const double d = driven[c] * levellerGain;
        const double s = channel.detectorDelay.exchange(d);
        channel.interpolationRing[newest] = d;
        const double p = detectorValue(channel, s, newest, settings.oversample);
        limited[c] = channel.mainDelay.exchange(s);
        detector[c] = std::max(std::fabs(p), kFloor);
        window[c] = channel.lookaheadMax.insert(detector[c]);
    }

    const double linked = std::max(window[0], window[1]);
    CoreFrame frame{};
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[c];
        const double det = (1.0 - settings.link) * window[c] + settings.link * linked;
        const double f = channel.followers.update(det, settings.attack, settings.release, settings.secondOrder);
        const double transientPeak = channel.transientMax.insert(detector[c]);
        const double smoothed = channel.transientFilter.process(transientPeak, kernelSpectrum_.data());
        const double e = channel.envelopeDelay.exchange(smoothed);

        frame.input[c] = bypassed[c];
        if (settings.power) {
            const double t = settings.transient;
            const double gain = t / std::max(e, 1.0) + (1.0 - t) / std::max(e, f);
            const double followerPart = t + (1.0 - t) / f;
            frame.output[c] = gain * limited[c] * out_;
            frame.displayed[c] = (settings.showTransient * gain / followerPart + 1.0 - settings.showTransient) *
                                 (settings.showFollowers * followerPart + 1.0 - settings.showFollowers) *
                                 (settings.showLeveller * levellerGain + 1.0 - settings.showLeveller);
        } else {
            frame.output[c] = bypassed[c];
            frame.displayed[c] = 1.0;
        }
    }
    return frame;
}

}  // namespace orv
