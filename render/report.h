// The figures printed after a render: levels and loudness of input and output (libebur128),
// the gain reduction from the plug-in's meters, and the output's full-scale samples.
#pragma once

#include "render/offline_render.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv::render {

struct LoudnessFigures {
    double samplePeakDbfs = 0.0;    // -inf for silence
    double truePeakDbtp = 0.0;
    double integratedLufs = 0.0;    // -inf when no block passes the gates
    double loudnessRangeLu = 0.0;
};

// Throws RenderError when libebur128 cannot take the material.
LoudnessFigures measureLoudness(const std::vector<double>& interleaved, int channels, int rate);

struct GainReductionFigures {
    double maximumDb = 0.0;
    double averageDb = 0.0;  // mean over the render's meter blocks
};

std::optional<GainReductionFigures> summariseGain(const std::vector<GainPoint>& gain);

struct Report {
    std::string input;
    std::string output;
    int rate = 0;
    int channels = 0;
    int64_t frames = 0;
    int32_t latency = 0;
    LoudnessFigures in;
    LoudnessFigures out;
    std::optional<GainReductionFigures> gainReduction;  // nullopt when the plug-in gave no meters
    int64_t fullScaleSamples = 0;
};

// Output samples whose magnitude reaches `fullScale`.
int64_t countFullScale(const std::vector<double>& samples, double fullScale);

std::string reportText(const Report& report);
std::string reportJson(const Report& report);

}  // namespace orv::render
