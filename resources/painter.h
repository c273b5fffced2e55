// Drawing helpers for the artwork generator: an owned cairo image, text in Liberation Sans,
// bevelled panels, key faces and knob bodies. Build-time only; never part of the plug-in.
#pragma once

#include <cairo.h>

#include <string>

#include "resources/palette.h"

namespace orv::art {

// An ARGB image with its drawing context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&&) = delete;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const noexcept { return context; }
    cairo_surface_t* surface() const noexcept { return image; }
    int width() const noexcept { return w; }
    int height() const noexcept { return h; }
    // Writes the image; false when the file cannot be written.
    bool writePng(const std::string& path) const;

private:
    cairo_surface_t* image;
    cairo_t* context;
    int w;
    int h;
};

enum class Align { Left, Centre, Right };

struct TextStyle {
    double size = 8.0;
    Rgb colour = kLabel;
    bool bold = true;
    Align align = Align::Centre;
};

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// Text with its baseline at y; x is the left end, middle or right end as the style says.
void drawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style);
// Fills the rectangle with a brushed-metal grey: fine horizontal streaks over a soft
// vertical gradient, the same every run.
void brushedMetal(cairo_t* cr, double x, double y, double w, double h, Rgb base);
// A recessed well: dark fill, shadow on the top and left, light edge at the bottom and right.
void recessedWell(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb fill);

// How a key (push button) is shown in one frame.
enum class KeyState {
    Off,        // unlit
    Dim,        // selected, but its function is inactive
    On,         // lit
    Highlight,  // the preference flash or the hover and bright variants
    Pressed,    // held down
};
// A key over the whole w x h area at (x, y) with its legend centred.
void drawKey(cairo_t* cr, double x, double y, double w, double h, const std::string& legend,
             KeyState state);

// A knob body centred in a width x height area at the origin, its pointer at the angle
// (radians, 0 = straight up, clockwise positive), with a value ring from `startAngle`.
void drawKnob(cairo_t* cr, double width, double height, double startAngle, double angle);

}  // namespace orv::art
