#include "engine/requantizer.h"

#include "engine/engine_lengths.h"

#include <algorithm>
#include <iterator>

namespace orv {

Requantizer::Requantizer() noexcept
{
    setSampleRate(44100.0);
}

void Requantizer::reset() noexcept
{
    std::fill(std::begin(histL_), std::end(histL_), 0.0);
    std::fill(std::begin(histR_), std::end(histR_), 0.0);
    p_ = 0;
    blackGain_ = 1e-20;
}

void Requantizer::setSampleRate(double rate) noexcept
{
    blackDecay_ = blackGateCoefficient(rate);
}

void Requantizer::setFeedbackSet(const double* feedbackSet) noexcept
{
    set_ = feedbackSet;
    p_ = 0;
}

void Requantizer::beginBlock(bool quantize, int bitsStep, bool autoblack) noexcept
{
    static constexpr double kScales[3] = {128.0, 32768.0, 8388608.0};
    scale_ = (bitsStep >= 0 && bitsStep <= 2) ? kScales[bitsStep] : kScales[1];
    inverseScale_ = 1.0 / scale_;
    quantize_ = quantize;
    autoblack_ = autoblack;
}

}  // namespace orv
