#include "render/plot.h"

#include "render/render_error.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace orv::render {
namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 640;
constexpr double kLeft = 70.0;
constexpr double kRight = 20.0;
constexpr double kTop = 30.0;
constexpr double kLevelHeight = 350.0;
constexpr double kGap = 50.0;
constexpr double kGainHeight = 160.0;
constexpr double kFloorDb = -48.0;

struct Panel {
    double x, y, width, height;
    double topDb, bottomDb;

    double yOf(double db) const {
        const double clamped = std::clamp(db, bottomDb, topDb);
        return y + (topDb - clamped) / (topDb - bottomDb) * height;
    }
};

double toDb(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -1000.0; }

// The peak magnitude of each pixel column over all channels.
std::vector<double> envelope(const std::vector<double>& samples, int channels, int columns) {
    std::vector<double> peaks(static_cast<size_t>(columns), 0.0);
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    if (frames == 0) return peaks;
    for (size_t frame = 0; frame < frames; ++frame) {
        const auto column = std::min<size_t>(frame * static_cast<size_t>(columns) / frames, peaks.size() - 1);
        for (int c = 0; c < channels; ++c)
            peaks[column] = std::max(peaks[column], std::fabs(samples[frame * static_cast<size_t>(channels) + c]));
    }
    return peaks;
}

void label(cairo_t* cr, double x, double y, const char* text, bool alignRight) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_move_to(cr, alignRight ? x - extents.width - 4.0 : x - extents.width / 2.0, y);
    cairo_show_text(cr, text);
}

void drawScale(cairo_t* cr, const Panel& panel, double stepDb, const char* title) {
    cairo_set_source_rgb(cr, 0.97, 0.97, 0.97);
    cairo_rectangle(cr, panel.x, panel.y, panel.width, panel.height);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    char text[32];
    for (double db = panel.topDb; db >= panel.bottomDb - 1e-9; db -= stepDb) {
        const double y = std::round(panel.yOf(db)) + 0.5;
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
        cairo_move_to(cr, panel.x, y);
        cairo_line_to(cr, panel.x + panel.width, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        std::snprintf(text, sizeof text, "%g dB", db);
        label(cr, panel.x, y + 4.0, text, true);
    }
    cairo_move_to(cr, panel.x, panel.y - 8.0);
    cairo_show_text(cr, title);
}

void drawTimeAxis(cairo_t* cr, const Panel& panel, double seconds) {
    static constexpr double kSteps[] = {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 30, 60, 120, 300, 600};
    double step = kSteps[std::size(kSteps) - 1];
    for (const double candidate : kSteps)
        if (seconds / candidate <= 12.0) {
            step = candidate;
            break;
        }
    char text[32];
    for (double t = 0.0; t <= seconds + 1e-9; t += step) {
        const double x = std::round(panel.x + t / std::max(seconds, 1e-9) * panel.width) + 0.5;
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_move_to(cr, x, panel.y + panel.height);
        cairo_line_to(cr, x, panel.y + panel.height + 5.0);
        cairo_stroke(cr);
        std::snprintf(text, sizeof text, "%g s", t);
        label(cr, x, panel.y + panel.height + 18.0, text, false);
    }
}

void drawEnvelope(cairo_t* cr, const Panel& panel, const std::vector<double>& peaks, bool filled) {
    const double columnWidth = panel.width / static_cast<double>(peaks.size());
    cairo_move_to(cr, panel.x, panel.yOf(panel.bottomDb));
    for (size_t i = 0; i < peaks.size(); ++i)
        cairo_line_to(cr, panel.x + (static_cast<double>(i) + 0.5) * columnWidth, panel.yOf(toDb(peaks[i])));
    if (filled) {
        cairo_line_to(cr, panel.x + panel.width, panel.yOf(panel.bottomDb));
        cairo_close_path(cr);
        cairo_fill(cr);
    } else {
        cairo_stroke(cr);
    }
}

}  // namespace

void drawPlot(const std::string& path, const PlotData& data) {
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), &cairo_surface_destroy);
    std::unique_ptr<cairo_t, void (*)(cairo_t*)> context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11.0);

    const double width = kWidth - kLeft - kRight;
    const size_t frames = data.output->size() / static_cast<size_t>(data.channels);
    const double seconds = static_cast<double>(frames) / data.rate;
    const auto columns = static_cast<int>(width);

    const Panel levels{kLeft, kTop, width, kLevelHeight, 0.0, kFloorDb};
    drawScale(cr, levels, 6.0, "level envelope (peak, dBFS): input grey, output blue");
    cairo_set_source_rgba(cr, 0.55, 0.55, 0.55, 0.8);
    drawEnvelope(cr, levels, envelope(*data.input, data.channels, columns), true);
    cairo_set_source_rgb(cr, 0.1, 0.3, 0.8);
    cairo_set_line_width(cr, 1.2);
    drawEnvelope(cr, levels, envelope(*data.output, data.channels, columns), false);
    drawTimeAxis(cr, levels, seconds);

    double deepest = 0.0;
    for (const GainPoint& point : *data.gain) deepest = std::max(deepest, static_cast<double>(point.reductionDb));
    const double range = std::max(12.0, std::ceil(deepest / 6.0) * 6.0);
    const Panel gain{kLeft, kTop + kLevelHeight + kGap, width, kGainHeight, 0.0, -range};
    drawScale(cr, gain, range / 4.0, data.gain->empty() ? "gain reduction (not reported)" : "gain reduction (dB)");
    if (!data.gain->empty() && frames > 0) {
        cairo_set_source_rgba(cr, 0.85, 0.15, 0.1, 0.85);
        cairo_move_to(cr, gain.x, gain.yOf(0.0));
        for (const GainPoint& point : *data.gain)
            cairo_line_to(cr, gain.x + static_cast<double>(point.frame) / static_cast<double>(frames) * width,
                          gain.yOf(-point.reductionDb));
        cairo_line_to(cr, gain.x + width, gain.yOf(0.0));
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    drawTimeAxis(cr, gain, seconds);

    cairo_surface_flush(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw RenderError(path + ": cannot write the plot");
}

}  // namespace orv::render
