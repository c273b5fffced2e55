#include "resources/painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace orv::art {

Canvas::Canvas(int width, int height)
    : image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(image)),
      w(width),
      h(height) {}

Canvas::~Canvas() {
    if (context != nullptr) cairo_destroy(context);
    if (image != nullptr) cairo_surface_destroy(image);
}

Canvas::Canvas(Canvas&& other) noexcept
    : image(other.image), context(other.context), w(other.w), h(other.h) {
    other.image = nullptr;
    other.context = nullptr;
}

bool Canvas::writePng(const std::string& path) const {
    cairo_surface_flush(image);
    return cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void setColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    const double quarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -quarter, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, quarter);
    cairo_arc(cr, x + r, y + h - r, r, quarter, 2 * quarter);
    cairo_arc(cr, x + r, y + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) {
    cairo_save(cr);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    double left = x;
    if (style.align == Align::Centre) left = x - extents.x_advance / 2;
    if (style.align == Align::Right) left = x - extents.x_advance;
    // Whole-pixel origins keep small type crisp.
    setColour(cr, style.colour);
    cairo_move_to(cr, std::round(left), std::round(y));
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

void brushedMetal(cairo_t* cr, double x, double y, double w, double h, Rgb base) {
    cairo_save(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h);
    const Rgb top = base.scaled(1.12);
    const Rgb bottom = base.scaled(0.82);
    cairo_pattern_add_color_stop_rgb(sheen, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(sheen, 1, bottom.r, bottom.g, bottom.b);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // Streaks from a fixed linear congruential sequence, so every build draws the same image.
    uint32_t seed = 0x2545F491u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<double>(seed >> 8) / 16777216.0;
    };
    cairo_set_line_width(cr, 1);
    for (double row = y + 0.5; row < y + h; row += 1) {
        for (int streak = 0; streak < 3; ++streak) {
            const double start = x + next() * w;
            const double length = 20 + next() * 140;
            const double shade = next();
            setColour(cr, shade < 0.5 ? Rgb{1, 1, 1} : Rgb{0, 0, 0}, 0.012 + 0.022 * next());
            cairo_move_to(cr, start, row);
            cairo_line_to(cr, std::min(start + length, x + w), row);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

void recessedWell(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb fill) {
    cairo_save(cr);
    roundedRect(cr, x - 1, y - 1, w + 2, h + 2, radius + 1);
    setColour(cr, kBevelLight, 0.55);
    cairo_fill(cr);
    roundedRect(cr, x - 1, y - 1, w + 1, h + 1, radius + 1);
    setColour(cr, kBevelShadow, 0.9);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, radius);
    setColour(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawKey(cairo_t* cr, double x, double y, double w, double h, const std::string& legend,
             KeyState state) {
    cairo_save(cr);
    const double inset = state == KeyState::Pressed ? 1.5 : 1.0;
    // Bezel the key sits in.
    roundedRect(cr, x, y, w, h, 3);
    setColour(cr, kBevelShadow);
    cairo_fill(cr);
    // Key cap.
    roundedRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, 2.5);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, y, 0, y + h);
    const bool lit = state == KeyState::On || state == KeyState::Highlight;
    Rgb face = kKeyFace;
    if (state == KeyState::Pressed) face = kKeyFace.scaled(0.8);
    if (state == KeyState::Highlight) face = kKeyFace.mixed(kLit, 0.35);
    const Rgb top = face.scaled(state == KeyState::Pressed ? 0.9 : 1.3);
    const Rgb bottom = face.scaled(0.8);
    cairo_pattern_add_color_stop_rgb(cap, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(cap, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    // Top-edge highlight.
    cairo_set_line_width(cr, 1);
    setColour(cr, Rgb{1, 1, 1}, 0.12);
    cairo_move_to(cr, x + inset + 2, y + inset + 0.5);
    cairo_line_to(cr, x + w - inset - 2, y + inset + 0.5);
    cairo_stroke(cr);
    // Lit keys glow behind their legend.
    if (lit) {
        cairo_pattern_t* glow =
            cairo_pattern_create_radial(x + w / 2, y + h / 2, 1, x + w / 2, y + h / 2, w / 1.6);
        cairo_pattern_add_color_stop_rgba(glow, 0, kLit.r, kLit.g, kLit.b, 0.45);
        cairo_pattern_add_color_stop_rgba(glow, 1, kLit.r, kLit.g, kLit.b, 0.0);
        roundedRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, 2.5);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    Rgb ink = kLabelDim;
    if (state == KeyState::Dim) ink = kLit.mixed(kKeyFace, 0.55);
    if (lit) ink = Rgb{0.93, 0.98, 1.0};
    if (state == KeyState::Pressed) ink = kLit;
    const double size = std::min(8.0, h * 0.5);
    drawText(cr, legend, x + w / 2, y + h / 2 + size * 0.36 + (inset - 1), {size, ink, true, Align::Centre});
    cairo_restore(cr);
}

void drawKnob(cairo_t* cr, double width, double height, double startAngle, double angle) {
    const double cx = width / 2;
    const double cy = height / 2;
    const double radius = std::min(width, height) / 2 - 1.5;
    const double up = -std::numbers::pi / 2;
    cairo_save(cr);
    // Shadow below the body.
    cairo_arc(cr, cx + 0.8, cy + 1.6, radius, 0, 2 * std::numbers::pi);
    setColour(cr, kBevelShadow, 0.6);
    cairo_fill(cr);
    // Skirt with a ring the value lights.
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    setColour(cr, Rgb::bytes(18, 19, 21));
    cairo_fill(cr);
    cairo_set_line_width(cr, 2.2);
    cairo_arc(cr, cx, cy, radius - 2.2, up + startAngle, up + std::max(angle, startAngle) + 1e-6);
    setColour(cr, kLit, 0.85);
    cairo_stroke(cr);
    // Knurled cap: a metallic cone shading, lit from the top left.
    const double cap = radius * 0.74;
    cairo_pattern_t* metal = cairo_pattern_create_linear(cx - cap, cy - cap, cx + cap, cy + cap);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.55, 0.57, 0.60);
    cairo_pattern_add_color_stop_rgb(metal, 0.5, 0.30, 0.31, 0.33);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.16, 0.17, 0.18);
    cairo_arc(cr, cx, cy, cap, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    const double top = cap * 0.82;
    cairo_pattern_t* face = cairo_pattern_create_radial(cx - top * 0.3, cy - top * 0.4, 1, cx, cy, top);
    cairo_pattern_add_color_stop_rgb(face, 0, 0.42, 0.44, 0.47);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.22, 0.23, 0.25);
    cairo_arc(cr, cx, cy, top, 0, 2 * std::numbers::pi);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Pointer from near the centre to the cap's rim.
    const double dx = std::sin(angle);
    const double dy = -std::cos(angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.2);
    setColour(cr, Rgb{0.95, 0.98, 1.0});
    cairo_move_to(cr, cx + dx * cap * 0.25, cy + dy * cap * 0.25);
    cairo_line_to(cr, cx + dx * (cap - 1.5), cy + dy * (cap - 1.5));
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace orv::art
