#include "render/offline_render.h"

#include <algorithm>
#include <cmath>

namespace orv::render {
namespace {

float reductionDb(const MeterSnapshot& snapshot) {
    const float gain = std::min(snapshot.gainHold[0], snapshot.gainHold[1]);
    if (!(gain < 1.0f)) return 0.0f;
    return -20.0f * std::log10(std::max(gain, 1e-6f));
}

// Two-channel block buffers in the sample type of the processing entry.
template <typename Sample>
struct StereoBlock {
    std::vector<Sample> in[2];
    std::vector<Sample> out[2];
    Sample* inputs[2];
    Sample* outputs[2];

    StereoBlock() {
        for (int c = 0; c < 2; ++c) {
            in[c].assign(kRenderBlockFrames, Sample(0));
            out[c].assign(kRenderBlockFrames, Sample(0));
            inputs[c] = in[c].data();
            outputs[c] = out[c].data();
        }
    }
};

template <typename Sample>
RenderResult run(const PluginSession& session, const AudioData& input,
                 const std::function<void(double)>& progress) {
    RenderResult result;
    const int channels = input.channels;
    const int64_t frames = input.frames;
    const int64_t latency = std::max<int32_t>(session.latency(), 0);
    const int64_t total = frames + latency;
    result.samples.assign(static_cast<size_t>(frames * channels), 0.0);
    StereoBlock<Sample> block;

    session.meterSnapshot();  // starts the holds afresh
    session.start();
    for (int64_t position = 0; position < total; position += kRenderBlockFrames) {
        const auto count = static_cast<int32_t>(std::min<int64_t>(kRenderBlockFrames, total - position));
        for (int32_t i = 0; i < count; ++i) {
            const int64_t frame = position + i;
            for (int c = 0; c < 2; ++c) {
                // A mono file feeds both inputs.
                const int source = std::min(c, channels - 1);
                block.in[c][static_cast<size_t>(i)] =
                    frame < frames ? static_cast<Sample>(input.samples[static_cast<size_t>(frame * channels + source)])
                                   : Sample(0);
            }
        }
        session.process(block.inputs, block.outputs, count);
        for (int32_t i = 0; i < count; ++i) {
            const int64_t frame = position + i - latency;
            if (frame < 0 || frame >= frames) continue;
            for (int c = 0; c < channels; ++c)
                result.samples[static_cast<size_t>(frame * channels + c)] = block.out[c][static_cast<size_t>(i)];
        }
        const int64_t firstOutput = position - latency;
        if (const auto snapshot = session.meterSnapshot(); snapshot && firstOutput + count > 0 && firstOutput < frames)
            result.gain.push_back({std::max<int64_t>(firstOutput, 0), reductionDb(*snapshot)});
        if (progress) progress(static_cast<double>(position + count) / static_cast<double>(total));
    }
    session.stop();
    return result;
}

}  // namespace

RenderResult renderThrough(const PluginSession& session, const AudioData& input, bool useDouble,
                           const std::function<void(double)>& progress) {
    return useDouble ? run<double>(session, input, progress) : run<float>(session, input, progress);
}

}  // namespace orv::render
