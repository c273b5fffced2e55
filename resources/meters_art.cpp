// Meter bars, meter scales and the two bitmap fonts. Everything here is drawn pixel by pixel
// on whole rows, so the rows the meters map levels to hold exactly what they should.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "resources/artwork.h"
#include "resources/glyphs_5x7.h"

namespace orv::art {
namespace {

constexpr int kBarWidth = 15;
constexpr int kBarHeight = 432;
constexpr int kPixelsPerDb = 6;
// Peak bars: 0 dBFS is the first row of the below-zero zone; the warning zone covers -6..0.
constexpr int kPeakZeroRow = 120;
constexpr int kPeakWarnDb = 6;
// K bars: 0 dBr is the first row of the green zone; +4 dBr is where red begins.
constexpr int kKZeroRow = 144;
constexpr int kKRedDb = 4;
constexpr double kUnlitLevel = 0.2;

void setPixel(const Canvas& canvas, int x, int y, Rgb c) {
    unsigned char* data = cairo_image_surface_get_data(canvas.surface());
    const int stride = cairo_image_surface_get_stride(canvas.surface());
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    const uint32_t argb = 0xFF000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
    *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = argb;
}

void fillPixels(const Canvas& canvas, int x, int y, int w, int h, Rgb c) {
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) setPixel(canvas, col, row, c);
}

// Three stacked colour zones: rows above `hotRow` red, up to `coolRow` amber, below blue.
// Lit, the last row of every dB (counted from the amber/blue boundary) is darker, so each dB
// reads as one segment; unlit, the zones are flat and dim.
Canvas zonedBar(int hotRow, int coolRow, bool lit) {
    Canvas canvas(kBarWidth, kBarHeight);
    cairo_surface_flush(canvas.surface());
    for (int row = 0; row < kBarHeight; ++row) {
        Rgb zone = row < hotRow ? kAlert : (row < coolRow ? kAmber : kLit);
        const bool segmentGap = (row - coolRow) % kPixelsPerDb == kPixelsPerDb - 1 ||
                                (row - coolRow) % kPixelsPerDb == -1;
        const double level = lit ? (segmentGap ? 0.62 : 1.0) : kUnlitLevel;
        for (int col = 0; col < kBarWidth; ++col) {
            // Rounded, tube-like shading across the bar.
            const double across = 0.72 + 0.28 * std::sin(std::numbers::pi * (col + 0.5) / kBarWidth);
            setPixel(canvas, col, row, zone.scaled(level * across).mixed(kPanelDeep, lit ? 0.0 : 0.5));
        }
    }
    cairo_surface_mark_dirty(canvas.surface());
    return canvas;
}

// A vertical dB scale between two bars. zeroRow holds the 0 mark (amber, full-length ticks);
// the other whole dB get short ticks, the labelled ones long ticks and a number.
struct MeterScale {
    int width, height;
    int zeroRow;
    int pixelsPerDb;
    int topDb, bottomDb;  // the range of the ticks, top first (topDb > bottomDb)
    int labelStep;        // dB between numbers
    int coarseBelowDb;    // below this, numbers every second step
    int leftTick, rightTick;  // columns where the left and right tick rows start and end
    int firstRow;             // first row of this scale in its bitmap (for stacked frames)
};

constexpr int kShortTick = 2;
constexpr int kLongTick = 4;
constexpr int kZeroTick = 5;

bool labelled(const MeterScale& s, int db) {
    if (db % s.labelStep != 0) return false;
    if (db < s.coarseBelowDb) return db % (2 * s.labelStep) == 0;
    return true;
}

void drawScale(const Canvas& canvas, const MeterScale& s) {
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, s.firstRow, s.width, s.height);
    setColour(cr, kPanelDeep);
    cairo_fill(cr);
    cairo_surface_flush(canvas.surface());
    for (int db = s.topDb; db >= s.bottomDb; --db) {
        const int row = s.firstRow + s.zeroRow - db * s.pixelsPerDb;
        const bool zero = db == 0;
        const int length = zero ? kZeroTick : (labelled(s, db) ? kLongTick : kShortTick);
        const Rgb ink = zero ? kAmber : (labelled(s, db) ? kLabel : kLabelDim.scaled(0.8));
        fillPixels(canvas, s.leftTick, row, length, 1, ink);
        fillPixels(canvas, s.rightTick - length, row, length, 1, ink);
    }
    cairo_surface_mark_dirty(canvas.surface());
    const double middle = (s.leftTick + s.rightTick) / 2.0;
    for (int db = s.topDb; db >= s.bottomDb; --db) {
        if (!labelled(s, db)) continue;
        const int row = s.firstRow + s.zeroRow - db * s.pixelsPerDb;
        const std::string text = std::to_string(db);
        drawText(cr, text, middle, row + 3, {7, db == 0 ? kAmber : kLabel, true, Align::Centre});
    }
}

// The meter scales are 27 x 367 and sit beside the bars; the bars start at scale row 4.
constexpr int kScaleWidth = 27;
constexpr int kScaleHeight = 367;
constexpr int kScaleTopRow = 4;
constexpr int kScaleBottomRow = 364;

Canvas meterScale(int zeroRow, int labelStep, int coarseBelowDb) {
    Canvas canvas(kScaleWidth, kScaleHeight);
    const int topDb = (zeroRow - kScaleTopRow) / kPixelsPerDb;
    const int bottomDb = -(kScaleBottomRow - zeroRow) / kPixelsPerDb;
    drawScale(canvas, {kScaleWidth, kScaleHeight, zeroRow, kPixelsPerDb, topDb, bottomDb, labelStep,
                       coarseBelowDb, 1, kScaleWidth - 1, 0});
    return canvas;
}

constexpr int kPeakScaleZero = 76;   // also K-12 in dBr
constexpr int kK14ScaleZero = 88;
constexpr int kK20ScaleZero = 124;
constexpr int kNoCoarse = -1000;

// Gain reduction: bar 15 x 203, growing down from the top.
constexpr int kGainBarHeight = 203;
// Scale 58 x 306: two frames of 153, 24 dB at 6 px/dB and 12 dB at 12 px/dB; 0 dB at row 3.
constexpr int kGainScaleWidth = 58;
constexpr int kGainFrameHeight = 153;
constexpr int kGainZeroRow = 3;
constexpr int kGainTravel = 145;
constexpr int kGainBarLeft = 1;    // left channel columns 1..16
constexpr int kGainBarRight = 42;  // right channel columns 42..57

void gainScaleFrame(const Canvas& canvas, int firstRow, int pixelsPerDb, int rangeDb, int labelStep) {
    drawScale(canvas, {kGainScaleWidth, kGainFrameHeight, kGainZeroRow, pixelsPerDb, 0, -rangeDb, labelStep,
                       kNoCoarse, kGainBarLeft + kBarWidth + 1, kGainBarRight - 1, firstRow});
    // The channel slots the bars run in.
    cairo_t* cr = canvas.cr();
    for (const int left : {kGainBarLeft, kGainBarRight}) {
        cairo_rectangle(cr, left, firstRow + kGainZeroRow, kBarWidth, kGainTravel);
        setColour(cr, Rgb::bytes(14, 14, 16));
        cairo_fill(cr);
    }
}

// A font bitmap: 192 cells of 5 x 8, the characters 32..127 on `lightBack` then on `darkBack`.
// Row 0 of a cell is blank; the glyph's 7 rows sit on rows 1..7, its foot on the baseline.
constexpr int kCellHeight = 8;
constexpr Rgb kLightInk = Rgb::bytes(30, 30, 30);

Canvas bitmapFont(Rgb darkBack) {
    Canvas canvas(kGlyphWidth, kCellHeight * kGlyphCount * 2);
    cairo_surface_flush(canvas.surface());
    struct Set {
        Rgb back, ink;
    };
    const Set sets[] = {{kLight, kLightInk}, {darkBack, kLight}};
    for (int set = 0; set < 2; ++set) {
        for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
            const int top = (set * kGlyphCount + glyph) * kCellHeight;
            for (int row = 0; row < kCellHeight; ++row) {
                for (int col = 0; col < kGlyphWidth; ++col) {
                    const bool ink = row > 0 && (kGlyphs5x7[glyph][col] >> (row - 1) & 1) != 0;
                    setPixel(canvas, col, top + row, ink ? sets[set].ink : sets[set].back);
                }
            }
        }
    }
    cairo_surface_mark_dirty(canvas.surface());
    return canvas;
}

}  // namespace

Canvas peakBarLit() { return zonedBar(kPeakZeroRow, kPeakZeroRow + kPeakWarnDb * kPixelsPerDb, true); }
Canvas peakBarUnlit() { return zonedBar(kPeakZeroRow, kPeakZeroRow + kPeakWarnDb * kPixelsPerDb, false); }
Canvas kBarLit() { return zonedBar(kKZeroRow - kKRedDb * kPixelsPerDb, kKZeroRow, true); }
Canvas kBarUnlit() { return zonedBar(kKZeroRow - kKRedDb * kPixelsPerDb, kKZeroRow, false); }

Canvas inputScalePeak() { return meterScale(kPeakScaleZero, 3, -24); }
Canvas inputScaleK14() { return meterScale(kK14ScaleZero, 4, kNoCoarse); }
Canvas inputScaleK20() { return meterScale(kK20ScaleZero, 4, kNoCoarse); }
// The output meter reads the same marks as the input meter.
Canvas outputScalePeak() { return inputScalePeak(); }
Canvas outputScaleK14() { return inputScaleK14(); }
Canvas outputScaleK20() { return inputScaleK20(); }

Canvas gainBar() {
    Canvas canvas(kBarWidth, kGainBarHeight);
    cairo_surface_flush(canvas.surface());
    for (int row = 0; row < kGainBarHeight; ++row) {
        // Amber that deepens towards orange as the reduction grows.
        const Rgb tone = kAmber.mixed(kAlert, std::min(1.0, row / double(kGainTravel)) * 0.55);
        for (int col = 0; col < kBarWidth; ++col) {
            const double across = 0.72 + 0.28 * std::sin(std::numbers::pi * (col + 0.5) / kBarWidth);
            setPixel(canvas, col, row, tone.scaled(across));
        }
    }
    cairo_surface_mark_dirty(canvas.surface());
    return canvas;
}

Canvas gainScale() {
    Canvas canvas(kGainScaleWidth, 2 * kGainFrameHeight);
    gainScaleFrame(canvas, 0, 6, 24, 3);
    gainScaleFrame(canvas, kGainFrameHeight, 12, 12, 2);
    return canvas;
}

Canvas normalFont() { return bitmapFont(kDark); }
Canvas alertFont() { return bitmapFont(kAlert); }

}  // namespace orv::art
