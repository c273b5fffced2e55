// A PNG picture of a render: the input and output level envelopes (dBFS) and the gain reduction
// over time, with a time axis and decibel scales.
#pragma once

#include "render/offline_render.h"

#include <string>
#include <vector>

namespace orv::render {

struct PlotData {
    const std::vector<double>* input;   // interleaved
    const std::vector<double>* output;  // interleaved, same layout
    const std::vector<GainPoint>* gain;
    int channels;
    int rate;
};

// Throws RenderError when cairo cannot write the file.
void drawPlot(const std::string& path, const PlotData& data);

}  // namespace orv::render
