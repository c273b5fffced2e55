// Runs a whole file through a hosted instance in blocks. The plug-in's latency is removed and
// its tail flushed with silence, so the output has the input's length and lines up with it;
// after every block the meter request gives the block's deepest gain reduction.
//
// Threading: the session's thread.
#pragma once

#include "render/audio_file.h"
#include "render/plugin_session.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace orv::render {

struct GainPoint {
    int64_t frame;       // first output frame of the block
    float reductionDb;   // deepest reduction of both channels in the block, >= 0
};

struct RenderResult {
    std::vector<double> samples;   // interleaved, the input's channel count and length
    std::vector<GainPoint> gain;   // empty when the plug-in does not answer the meter request
};

inline constexpr int32_t kRenderBlockFrames = 512;

// `progress` is called with the finished fraction after each block; it may throw to stop.
RenderResult renderThrough(const PluginSession& session, const AudioData& input, bool useDouble,
                           const std::function<void(double)>& progress);

}  // namespace orv::render
