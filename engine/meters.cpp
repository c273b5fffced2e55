#include "engine/meters.h"

namespace orv {

EngineMeters::EngineMeters(const double* doubledHalfbandTaps) noexcept
    : halfband_(doubledHalfbandTaps)
{
    setSampleRate(44100.0);
}

void EngineMeters::reset() noexcept
{
    for (Channel& channel : channels_) {
        silence(channel);
        store(channel.gainHold, 1.0);
        std::fill(std::begin(channel.ring), std::end(channel.ring), 0.0);
    }
    ringPos_ = 0;
    fetched_.store(false, std::memory_order_relaxed);
}

void EngineMeters::setSampleRate(double rate) noexcept
{
    meanSquareCoefficient_ = meterCoefficient(rate);
}

void EngineMeters::beginBlock(double inputScale, bool interpolateOutput) noexcept
{
    inputScale_ = inputScale;
    interpolateOutput_ = interpolateOutput;
}

void EngineMeters::updateCalibration(bool leftCarries, double noiseL, bool rightCarries,
                                     double noiseR) noexcept
{
    restartHoldsIfFetched();
    const bool carries[2] = {leftCarries, rightCarries};
    const double noise[2] = {noiseL, noiseR};
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[c];
        if (!carries[c]) {
            silence(channel);
            continue;
        }
        measureOutput(channel, std::abs(noise[c]));
        store(channel.inputPeak, load(channel.outputPeak));
        store(channel.inputMeanSquare, load(channel.outputMeanSquare));
    }
}

void EngineMeters::resetGainHolds() noexcept
{
    for (Channel& channel : channels_) {
        store(channel.gainHold, 1.0);
    }
}

MeterSnapshot EngineMeters::takeSnapshot() noexcept
{
    MeterSnapshot snapshot{};
    for (int c = 0; c < 2; ++c) {
        const Channel& channel = channels_[c];
        snapshot.inputPeak[c] = static_cast<float>(load(channel.inputPeak));
        snapshot.outputPeak[c] = static_cast<float>(load(channel.outputPeak));
        snapshot.inputRms[c] = static_cast<float>(std::sqrt(2.0 * load(channel.inputMeanSquare)));
        snapshot.outputRms[c] = static_cast<float>(std::sqrt(2.0 * load(channel.outputMeanSquare)));
        snapshot.gainHold[c] = static_cast<float>(load(channel.gainHold));
    }
    fetched_.store(true, std::memory_order_relaxed);
    return snapshot;
}

void EngineMeters::silence(Channel& channel) noexcept
{
    store(channel.inputPeak, 0.0);
    store(channel.outputPeak, 0.0);
    store(channel.inputMeanSquare, 0.0);
    store(channel.outputMeanSquare, 0.0);
}

}  // namespace orv
