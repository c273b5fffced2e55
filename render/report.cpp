#include "render/report.h"

#include "render/render_error.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace orv::render {
namespace {

struct Ebur128Closer {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

double toDb(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -HUGE_VAL; }

std::string number(double value, const char* format) {
    if (!std::isfinite(value)) return value < 0 ? "-inf" : "inf";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string jsonFigures(const LoudnessFigures& figures) {
    return "{\"sample_peak_dbfs\": " + jsonNumber(figures.samplePeakDbfs) +
           ", \"true_peak_dbtp\": " + jsonNumber(figures.truePeakDbtp) +
           ", \"integrated_lufs\": " + jsonNumber(figures.integratedLufs) +
           ", \"loudness_range_lu\": " + jsonNumber(figures.loudnessRangeLu) + "}";
}

}  // namespace

LoudnessFigures measureLoudness(const std::vector<double>& interleaved, int channels, int rate) {
    std::unique_ptr<ebur128_state, Ebur128Closer> state(
        ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate),
                     EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_TRUE_PEAK));
    if (!state) throw RenderError("cannot measure loudness at this rate");
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    if (ebur128_add_frames_double(state.get(), interleaved.data(), frames) != EBUR128_SUCCESS)
        throw RenderError("loudness measurement failed");

    LoudnessFigures figures;
    double samplePeak = 0.0;
    double truePeak = 0.0;
    for (unsigned c = 0; c < static_cast<unsigned>(channels); ++c) {
        double peak = 0.0;
        if (ebur128_sample_peak(state.get(), c, &peak) == EBUR128_SUCCESS) samplePeak = std::max(samplePeak, peak);
        if (ebur128_true_peak(state.get(), c, &peak) == EBUR128_SUCCESS) truePeak = std::max(truePeak, peak);
    }
    figures.samplePeakDbfs = toDb(samplePeak);
    figures.truePeakDbtp = toDb(truePeak);
    if (ebur128_loudness_global(state.get(), &figures.integratedLufs) != EBUR128_SUCCESS)
        figures.integratedLufs = -HUGE_VAL;
    if (ebur128_loudness_range(state.get(), &figures.loudnessRangeLu) != EBUR128_SUCCESS)
        figures.loudnessRangeLu = 0.0;
    return figures;
}

std::optional<GainReductionFigures> summariseGain(const std::vector<GainPoint>& gain) {
    if (gain.empty()) return std::nullopt;
    GainReductionFigures figures;
    double sum = 0.0;
    for (const GainPoint& point : gain) {
        figures.maximumDb = std::max(figures.maximumDb, static_cast<double>(point.reductionDb));
        sum += point.reductionDb;
    }
    figures.averageDb = sum / static_cast<double>(gain.size());
    return figures;
}

int64_t countFullScale(const std::vector<double>& samples, double fullScale) {
    return std::count_if(samples.begin(), samples.end(), [fullScale](double x) { return std::fabs(x) >= fullScale; });
}

std::string reportText(const Report& report) {
    std::string text;
    char line[256];
    std::snprintf(line, sizeof line, "%s -> %s: %d Hz, %s, %lld frames (%.2f s), latency %d removed\n",
                  report.input.c_str(), report.output.c_str(), report.rate, report.channels == 1 ? "mono" : "stereo",
                  static_cast<long long>(report.frames),
                  report.rate > 0 ? static_cast<double>(report.frames) / report.rate : 0.0, report.latency);
    text += line;
    text += "                         input     output\n";
    const auto row = [&](const char* name, double in, double out, const char* format) {
        std::snprintf(line, sizeof line, "  %-20s %9s  %9s\n", name, number(in, format).c_str(),
                      number(out, format).c_str());
        text += line;
    };
    row("sample peak (dBFS)", report.in.samplePeakDbfs, report.out.samplePeakDbfs, "%+.2f");
    row("true peak (dBTP)", report.in.truePeakDbtp, report.out.truePeakDbtp, "%+.2f");
    row("loudness (LUFS)", report.in.integratedLufs, report.out.integratedLufs, "%.1f");
    row("loudness range (LU)", report.in.loudnessRangeLu, report.out.loudnessRangeLu, "%.1f");
    if (report.gainReduction)
        std::snprintf(line, sizeof line, "  gain reduction       max %.2f dB, average %.2f dB\n",
                      report.gainReduction->maximumDb, report.gainReduction->averageDb);
    else
        std::snprintf(line, sizeof line, "  gain reduction       not reported by the plug-in\n");
    text += line;
    std::snprintf(line, sizeof line, "  full-scale samples   %lld\n", static_cast<long long>(report.fullScaleSamples));
    text += line;
    return text;
}

std::string reportJson(const Report& report) {
    std::string json = "{\n";
    json += "  \"input\": " + jsonString(report.input) + ",\n";
    json += "  \"output\": " + jsonString(report.output) + ",\n";
    json += "  \"sample_rate\": " + std::to_string(report.rate) + ",\n";
    json += "  \"channels\": " + std::to_string(report.channels) + ",\n";
    json += "  \"frames\": " + std::to_string(report.frames) + ",\n";
    json += "  \"latency\": " + std::to_string(report.latency) + ",\n";
    json += "  \"input_levels\": " + jsonFigures(report.in) + ",\n";
    json += "  \"output_levels\": " + jsonFigures(report.out) + ",\n";
    if (report.gainReduction)
        json += "  \"gain_reduction_db\": {\"max\": " + jsonNumber(report.gainReduction->maximumDb) +
                ", \"average\": " + jsonNumber(report.gainReduction->averageDb) + "},\n";
    else
        json += "  \"gain_reduction_db\": null,\n";
    json += "  \"full_scale_samples\": " + std::to_string(report.fullScaleSamples) + "\n}\n";
    return json;
}

}  // namespace orv::render
