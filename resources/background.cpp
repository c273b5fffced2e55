// The 524 x 462 window background: brushed panel, title, meter wells, knob scales, every
// control label, the text-field backdrops, the numeric readout strips and the preset strip.
#include <algorithm>
#include <cmath>
#include <string>

#include "resources/artwork.h"
#include "resources/panel_layout.h"

namespace orv::art {
namespace {

constexpr double kLabelSize = 7.0;
constexpr double kLabelGap = 4;  // from a control's top edge to its label's baseline
constexpr int kTitleBarHeight = 26;
constexpr int kPresetStripTop = 437;

void label(cairo_t* cr, const std::string& text, double x, double baseline, Align align = Align::Centre,
           Rgb colour = kLabel) {
    drawText(cr, text, x, baseline, {kLabelSize, colour, true, align});
}

void titleBar(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, kWindowWidth, kTitleBarHeight);
    setColour(cr, kPanelDeep, 0.75);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kTitleBarHeight, kWindowWidth, 1);
    setColour(cr, kBevelLight, 0.6);
    cairo_fill(cr);
    drawText(cr, "ORV", 14, 18, {15, kLabel, true, Align::Left});
    drawText(cr, "BRIVO", 50, 18, {15, kLit, false, Align::Left});
    drawText(cr, "STEREO MASTERING LIMITER", 510, 17, {8, kLabelDim, true, Align::Right});
}

// Darker plates that group the three control columns.
void sectionPlates(cairo_t* cr) {
    const Rect plates[] = {{6, 30, 139, 433}, {212, 30, 313, 433}, {385, 30, 518, 433}};
    for (const Rect& r : plates) {
        roundedRect(cr, r.left + 0.5, r.top + 0.5, r.width(), r.height(), 5);
        setColour(cr, kPanelDeep, 0.34);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        setColour(cr, Rgb{1, 1, 1}, 0.07);
        cairo_stroke(cr);
    }
}

void meterWell(cairo_t* cr, const Rect& r, const char* title, double leftBar, double rightBar) {
    recessedWell(cr, r.left, r.top, r.width(), r.height(), 2, kPanelDeep);
    const double baseline = r.top - 3;
    label(cr, title, r.midX(), baseline);
    label(cr, "L", leftBar, baseline, Align::Centre, kLabelDim);
    label(cr, "R", rightBar, baseline, Align::Centre, kLabelDim);
}

void knobScale(cairo_t* cr, const KnobLayout& knob) {
    const double cx = knob.rect.left + knob.rect.width() / 2.0;
    const double cy = knob.rect.top + knob.frameHeight / 2.0;
    const double body = std::min(knob.rect.width(), knob.frameHeight) / 2.0 - 1.5;
    const double inner = body + 1.5;
    const double outer = body + 5;
    const double outerMinor = body + 3.5;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < knob.ticks; ++i) {
        const bool major = i == 0 || i == knob.ticks - 1 || 2 * i == knob.ticks - 1;
        const double angle = kKnobStartAngle + kKnobSweep * i / (knob.ticks - 1);
        const double dx = std::sin(angle);
        const double dy = -std::cos(angle);
        const double end = major ? outer : outerMinor;
        cairo_set_line_width(cr, major ? 1.4 : 1.0);
        setColour(cr, major ? kLabel : kLabelDim);
        cairo_move_to(cr, cx + dx * inner, cy + dy * inner);
        cairo_line_to(cr, cx + dx * end, cy + dy * end);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    for (const ScaleLabel& end : knob.labels) {
        const double angle = kKnobStartAngle + kKnobSweep * end.value;
        const double x = cx + std::sin(angle) * outer;
        const double y = cy - std::cos(angle) * outer;
        const bool left = end.value < 0.5;
        drawText(cr, end.text, left ? x - 2 : x + 2, y + 3,
                 {6.5, kLabelDim.mixed(kLabel, 0.5), true, left ? Align::Right : Align::Left});
    }
    label(cr, knob.name, cx, cy - outer - 1.5);
}

void fieldBackdrop(cairo_t* cr, const Rect& r, Rgb fill, double radius) {
    recessedWell(cr, r.left, r.top, r.width(), r.height(), radius, fill);
}

// The numeric readouts print dark value boxes with light unit cells onto a light strip.
void lcdStrip(cairo_t* cr, const Rect& r) {
    cairo_rectangle(cr, r.left - 1, r.top - 1, r.width() + 2, r.height() + 2);
    setColour(cr, kBevelShadow);
    cairo_fill(cr);
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    setColour(cr, kLight);
    cairo_fill(cr);
}

void infoArea(cairo_t* cr) {
    const Rect& r = kInfoArea;
    recessedWell(cr, r.left, r.top, r.width(), r.height(), 3, kPanelDeep);
    drawText(cr, "ORV BRIVO", r.midX(), r.top + 13, {8, kLabel, true, Align::Centre});
    drawText(cr, "click for info", r.midX(), r.top + 25, {6.5, kLabelDim, false, Align::Centre});
}

void presetStrip(cairo_t* cr) {
    cairo_rectangle(cr, 0, kPresetStripTop, kWindowWidth, kWindowHeight - kPresetStripTop);
    setColour(cr, kPanelDeep, 0.8);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, kPresetStripTop, kWindowWidth, 1);
    setColour(cr, kBevelLight, 0.5);
    cairo_fill(cr);
    for (const LabelledRect& l : kPresetLabels) label(cr, l.label, l.rect.midX(), l.rect.top - 2, Align::Centre, kLabelDim);
    label(cr, "PROGRAM", kNameField.midX(), kNameField.top - 2, Align::Centre, kLabelDim);
    // The name field and the program menu's drop-down arrow.
    const Rect& n = kNameField;
    cairo_rectangle(cr, n.left, n.top, n.width(), n.height());
    setColour(cr, kInk);
    cairo_fill(cr);
    cairo_rectangle(cr, n.left + 1, n.top + 1, n.width() - 2, n.height() - 2);
    setColour(cr, kNameFieldFill);
    cairo_fill(cr);
    const Rect& m = kProgramMenu;
    drawKey(cr, m.left, m.top, m.width(), m.height(), "", KeyState::Off);
    cairo_move_to(cr, m.midX() - 3.5, m.midY() - 1.5);
    cairo_line_to(cr, m.midX() + 3.5, m.midY() - 1.5);
    cairo_line_to(cr, m.midX(), m.midY() + 2.5);
    cairo_close_path(cr);
    setColour(cr, kLabel);
    cairo_fill(cr);
}

void transShapeLabels(cairo_t* cr) {
    const Rect& r = kTransShapeSwitch;
    label(cr, "TRANSIENT SHAPE", r.midX(), r.top - kLabelGap);
    const char* const positions[] = {"HARD", "MED", "SOFT"};
    const double keyCentres[] = {10, 43, 76};  // the switch's keys, from its left edge
    for (int i = 0; i < 3; ++i) {
        drawText(cr, positions[i], r.left + keyCentres[i], r.bottom + 7, {6.5, kLabelDim, true, Align::Centre});
    }
}

}  // namespace

Canvas windowBackground() {
    Canvas canvas(kWindowWidth, kWindowHeight);
    cairo_t* cr = canvas.cr();
    brushedMetal(cr, 0, 0, kWindowWidth, kWindowHeight, kPanel);
    titleBar(cr);
    sectionPlates(cr);
    meterWell(cr, kInputMeter, "INPUT", 157.5, 198.5);
    meterWell(cr, kOutputMeter, "OUTPUT", 327.5, 370.5);
    meterWell(cr, kGainMeter, "ATTEN.", 241.5, 282.5);
    for (const KnobLayout& knob : kKnobs) knobScale(cr, knob);
    for (const LabelledRect& key : kKeyLabels) label(cr, key.label, key.rect.midX(), key.rect.top - kLabelGap);
    transShapeLabels(cr);
    label(cr, "POST", kPostMeterButton.midX(), kPostMeterButton.top - kLabelGap);
    label(cr, "AUTO", kAutoOutButton.midX(), kAutoOutButton.top - kLabelGap);
    label(cr, "POWER", kPowerButton.right + 3, kPowerButton.top + 11, Align::Left, kLabelDim);
    fieldBackdrop(cr, kDriveReadout, kDarkField, 2);
    fieldBackdrop(cr, kOutputReadout, kDarkField, 2);
    for (const Rect& r : kGreyReadouts) fieldBackdrop(cr, r, kGreyField, 2);
    for (const Rect& r : kLcdReadouts) lcdStrip(cr, r);
    infoArea(cr);
    presetStrip(cr);
    return canvas;
}

}  // namespace orv::art
