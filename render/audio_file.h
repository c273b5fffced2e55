// Audio files through libsndfile: whole-file reading into interleaved doubles, the choice of an
// output container and sample format, and writing. PCM goes through integer transfers with our
// own scaling (full scale = 2^(bits-1)), so a PCM file read and written unchanged is bit exact.
//
// Threading: plain functions; any thread, one file per call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::render {

enum class SampleFormat { Pcm16, Pcm24, Pcm32, Float32, Float64, Vorbis };

struct AudioData {
    int rate = 0;
    int channels = 0;
    int64_t frames = 0;
    std::vector<double> samples;  // interleaved, frames * channels
    // The file's own sample format, when it is one the renderer can write back.
    std::optional<SampleFormat> sourceFormat;
};

struct OutputFormat {
    int container = 0;  // libsndfile major format
    SampleFormat sample = SampleFormat::Float32;
};

// Throws RenderError naming the file and the problem.
AudioData readAudio(const std::string& path);

// "pcm16", "pcm24", "float32", "float64"; nullopt for anything else.
std::optional<SampleFormat> parseSampleFormat(std::string_view name);
std::string_view sampleFormatName(SampleFormat format);

// The output format for `path` (its extension names the container). Without a requested sample
// format the input's is used (for an input in a format the renderer does not write, such as
// Vorbis or 8-bit PCM: float32, or pcm24 in FLAC); an Ogg file holds Vorbis. Throws RenderError for an unknown
// extension or a combination the container cannot hold.
OutputFormat chooseOutputFormat(const std::string& path, std::optional<SampleFormat> requested,
                                std::optional<SampleFormat> inputFormat, int rate, int channels);

// Rounds the samples in place to the values the file will hold (PCM grid, float precision).
void roundToStoredValues(const OutputFormat& format, std::vector<double>& samples);
// The smallest magnitude the format counts as full scale (the largest positive code for PCM).
double fullScaleMagnitude(const OutputFormat& format);

// Writes a complete file; throws RenderError on failure.
void writeAudio(const std::string& path, const OutputFormat& format, int rate, int channels,
                const std::vector<double>& samples);

}  // namespace orv::render
