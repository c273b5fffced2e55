#include "render/audio_file.h"

#include "render/render_error.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

namespace orv::render {
namespace {

constexpr int64_t kTransferFrames = 8192;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

std::optional<int> pcmBits(SampleFormat format) {
    switch (format) {
    case SampleFormat::Pcm16: return 16;
    case SampleFormat::Pcm24: return 24;
    case SampleFormat::Pcm32: return 32;
    default: return std::nullopt;
    }
}

std::optional<SampleFormat> formatOfSubtype(int subtype) {
    switch (subtype) {
    case SF_FORMAT_PCM_16: return SampleFormat::Pcm16;
    case SF_FORMAT_PCM_24: return SampleFormat::Pcm24;
    case SF_FORMAT_PCM_32: return SampleFormat::Pcm32;
    case SF_FORMAT_FLOAT: return SampleFormat::Float32;
    case SF_FORMAT_DOUBLE: return SampleFormat::Float64;
    default: return std::nullopt;
    }
}

int subtypeOf(SampleFormat format) {
    switch (format) {
    case SampleFormat::Pcm16: return SF_FORMAT_PCM_16;
    case SampleFormat::Pcm24: return SF_FORMAT_PCM_24;
    case SampleFormat::Pcm32: return SF_FORMAT_PCM_32;
    case SampleFormat::Float32: return SF_FORMAT_FLOAT;
    case SampleFormat::Float64: return SF_FORMAT_DOUBLE;
    case SampleFormat::Vorbis: return SF_FORMAT_VORBIS;
    }
    return 0;
}

struct Container {
    const char* extension;
    int format;
    const char* name;
};

constexpr Container kContainers[] = {
    {".wav", SF_FORMAT_WAV, "WAV"},    {".wave", SF_FORMAT_WAV, "WAV"}, {".aif", SF_FORMAT_AIFF, "AIFF"},
    {".aiff", SF_FORMAT_AIFF, "AIFF"}, {".flac", SF_FORMAT_FLAC, "FLAC"}, {".ogg", SF_FORMAT_OGG, "Ogg"},
    {".oga", SF_FORMAT_OGG, "Ogg"},
};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool readsAsIntegers(int subtype) {
    return subtype == SF_FORMAT_PCM_S8 || subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_16 ||
           subtype == SF_FORMAT_PCM_24 || subtype == SF_FORMAT_PCM_32;
}

constexpr double kIntegerFullScale = 2147483648.0;  // 2^31: libsndfile's integers are left-justified

}  // namespace

AudioData readAudio(const std::string& path) {
    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) throw RenderError(path + ": cannot read audio (" + sf_strerror(nullptr) + ")");
    if (info.channels < 1 || info.frames < 0) throw RenderError(path + ": no audio channels");

    AudioData audio;
    audio.rate = info.samplerate;
    audio.channels = info.channels;
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    audio.sourceFormat = formatOfSubtype(subtype);
    // Files with more than two channels are refused before any sample is read.
    if (info.channels > 2) return audio;

    const bool integers = readsAsIntegers(subtype);
    std::vector<int> transfer(integers ? static_cast<size_t>(kTransferFrames * info.channels) : 0);
    audio.samples.reserve(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
    std::vector<double> block(static_cast<size_t>(kTransferFrames * info.channels));
    for (;;) {
        sf_count_t got = 0;
        if (integers) {
            got = sf_readf_int(file.get(), transfer.data(), kTransferFrames);
            for (sf_count_t i = 0; i < got * info.channels; ++i)
                block[static_cast<size_t>(i)] = transfer[static_cast<size_t>(i)] / kIntegerFullScale;
        } else {
            got = sf_readf_double(file.get(), block.data(), kTransferFrames);
        }
        if (got <= 0) break;
        audio.samples.insert(audio.samples.end(), block.begin(), block.begin() + got * info.channels);
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw RenderError(path + ": damaged audio (" + sf_strerror(file.get()) + ")");
    audio.frames = static_cast<int64_t>(audio.samples.size()) / info.channels;
    return audio;
}

std::optional<SampleFormat> parseSampleFormat(std::string_view name) {
    if (name == "pcm16") return SampleFormat::Pcm16;
    if (name == "pcm24") return SampleFormat::Pcm24;
    if (name == "float32") return SampleFormat::Float32;
    if (name == "float64") return SampleFormat::Float64;
    return std::nullopt;
}

std::string_view sampleFormatName(SampleFormat format) {
    switch (format) {
    case SampleFormat::Pcm16: return "pcm16";
    case SampleFormat::Pcm24: return "pcm24";
    case SampleFormat::Pcm32: return "pcm32";
    case SampleFormat::Float32: return "float32";
    case SampleFormat::Float64: return "float64";
    case SampleFormat::Vorbis: return "vorbis";
    }
    return "";
}

OutputFormat chooseOutputFormat(const std::string& path, std::optional<SampleFormat> requested,
                                std::optional<SampleFormat> inputFormat, int rate, int channels) {
    const std::string extension = lowerCase(std::filesystem::path(path).extension().string());
    const auto container = std::find_if(std::begin(kContainers), std::end(kContainers),
                                        [&](const Container& c) { return extension == c.extension; });
    if (container == std::end(kContainers))
        throw RenderError(path + ": unknown output type (use .wav, .aiff, .flac or .ogg)");

    OutputFormat format;
    format.container = container->format;
    if (requested) format.sample = *requested;
    else if (container->format == SF_FORMAT_OGG) format.sample = SampleFormat::Vorbis;
    else if (inputFormat) format.sample = *inputFormat;
    else format.sample = container->format == SF_FORMAT_FLAC ? SampleFormat::Pcm24 : SampleFormat::Float32;

    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format.container | subtypeOf(format.sample);
    if (!sf_format_check(&info))
        throw RenderError(path + ": " + container->name + " cannot hold " +
                          std::string(sampleFormatName(format.sample)) + " samples (choose another --format)");
    return format;
}

void roundToStoredValues(const OutputFormat& format, std::vector<double>& samples) {
    if (const auto bits = pcmBits(format.sample)) {
        const double scale = std::ldexp(1.0, *bits - 1);
        for (double& x : samples) x = std::clamp(std::nearbyint(x * scale), -scale, scale - 1.0) / scale;
    } else if (format.sample == SampleFormat::Float32) {
        for (double& x : samples) x = static_cast<float>(x);
    }
}

double fullScaleMagnitude(const OutputFormat& format) {
    if (const auto bits = pcmBits(format.sample)) {
        const double scale = std::ldexp(1.0, *bits - 1);
        return (scale - 1.0) / scale;
    }
    return 1.0;
}

void writeAudio(const std::string& path, const OutputFormat& format, int rate, int channels,
                const std::vector<double>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format.container | subtypeOf(format.sample);
    SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file) throw RenderError(path + ": cannot write audio (" + sf_strerror(nullptr) + ")");

    const auto frames = static_cast<sf_count_t>(samples.size() / static_cast<size_t>(channels));
    sf_count_t written = 0;
    if (pcmBits(format.sample)) {
        std::vector<int> transfer(static_cast<size_t>(kTransferFrames * channels));
        for (sf_count_t start = 0; start < frames; start += kTransferFrames) {
            const sf_count_t count = std::min<sf_count_t>(kTransferFrames, frames - start);
            for (sf_count_t i = 0; i < count * channels; ++i) {
                const double x = samples[static_cast<size_t>(start * channels + i)];
                transfer[static_cast<size_t>(i)] = static_cast<int>(
                    std::clamp(std::nearbyint(x * kIntegerFullScale), -kIntegerFullScale, kIntegerFullScale - 1.0));
            }
            written += sf_writef_int(file.get(), transfer.data(), count);
        }
    } else {
        written = sf_writef_double(file.get(), samples.data(), frames);
    }
    if (written != frames) throw RenderError(path + ": write failed (" + sf_strerror(file.get()) + ")");
    if (sf_close(file.release()) != 0) throw RenderError(path + ": write failed");
}

}  // namespace orv::render
