// Knob strips, keys, switches and the preset-strip buttons. Frames are stacked top to bottom.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>

#include "resources/artwork.h"
#include "resources/panel_layout.h"

namespace orv::art {
namespace {

Canvas knobStrip(const KnobLayout& knob) {
    const int width = knob.rect.width();
    Canvas canvas(width, knob.frameHeight * kKnobFrames);
    for (int frame = 0; frame < kKnobFrames; ++frame) {
        const double value = frame / double(kKnobFrames - 1);
        cairo_save(canvas.cr());
        cairo_translate(canvas.cr(), 0, frame * knob.frameHeight);
        // The shadow must not reach into the next frame.
        cairo_rectangle(canvas.cr(), 0, 0, width, knob.frameHeight);
        cairo_clip(canvas.cr());
        drawKnob(canvas.cr(), width, knob.frameHeight, kKnobStartAngle, kKnobStartAngle + kKnobSweep * value);
        cairo_restore(canvas.cr());
    }
    return canvas;
}

struct KeyFrame {
    const char* legend;
    KeyState state;
};

constexpr int kKeyWidth = 33;
constexpr int kKeyFrameHeight = 19;

Canvas keyStrip(int width, int frameHeight, std::initializer_list<KeyFrame> frames) {
    Canvas canvas(width, frameHeight * static_cast<int>(frames.size()));
    int top = 0;
    for (const KeyFrame& frame : frames) {
        drawKey(canvas.cr(), 0, top, width, frameHeight, frame.legend, frame.state);
        top += frameHeight;
    }
    return canvas;
}

// Off, on, and the preference flash.
Canvas preferenceKey(const char* legend) {
    return keyStrip(kKeyWidth, kKeyFrameHeight,
                    {{legend, KeyState::Off}, {legend, KeyState::On}, {legend, KeyState::Highlight}});
}

Canvas onOffKey(const char* legend) {
    return keyStrip(kKeyWidth, kKeyFrameHeight, {{legend, KeyState::Off}, {legend, KeyState::On}});
}

// A round LED in the middle of a key.
void drawLed(cairo_t* cr, double cx, double cy, double radius, bool lit) {
    if (lit) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius * 2.4);
        cairo_pattern_add_color_stop_rgba(halo, 0, kLit.r, kLit.g, kLit.b, 0.6);
        cairo_pattern_add_color_stop_rgba(halo, 1, kLit.r, kLit.g, kLit.b, 0);
        cairo_arc(cr, cx, cy, radius * 2.4, 0, 2 * std::numbers::pi);
        cairo_set_source(cr, halo);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
    }
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    setColour(cr, lit ? Rgb{0.85, 0.96, 1.0} : Rgb::bytes(22, 34, 40));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    setColour(cr, kBevelShadow);
    cairo_stroke(cr);
}

// A key with only an LED: off, on, flash.
void ledKey(cairo_t* cr, double x, double y, double w, double h, KeyState state) {
    drawKey(cr, x, y, w, h, "", state);
    drawLed(cr, x + w / 2, y + h / 2, std::min(w, h) / 6, state == KeyState::On || state == KeyState::Highlight);
}

// Preset strip buttons: normal, mouse over, pressed.
constexpr int kPresetFrames = 3;
constexpr KeyState kPresetStates[kPresetFrames] = {KeyState::Off, KeyState::Highlight, KeyState::Pressed};

// A tray with an arrow into it (save, store) or out of it (load, recall).
void drawTrayArrow(cairo_t* cr, double w, double h, bool intoTray, KeyState state) {
    const Rgb ink = state == KeyState::Off ? kLabelDim : Rgb{0.93, 0.98, 1.0};
    setColour(cr, ink);
    cairo_set_line_width(cr, 1.4);
    const double cx = w / 2;
    const double trayY = h - 4.5;
    cairo_move_to(cr, cx - 5, trayY - 2.5);
    cairo_line_to(cr, cx - 5, trayY);
    cairo_line_to(cr, cx + 5, trayY);
    cairo_line_to(cr, cx + 5, trayY - 2.5);
    cairo_stroke(cr);
    const double tip = intoTray ? trayY - 2 : 3.5;
    const double tail = intoTray ? 3.5 : trayY - 2;
    const double head = intoTray ? -2.5 : 2.5;
    cairo_move_to(cr, cx, tail);
    cairo_line_to(cr, cx, tip);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - 3, tip + head);
    cairo_line_to(cr, cx, tip);
    cairo_line_to(cr, cx + 3, tip + head);
    cairo_stroke(cr);
}

Canvas trayButton(bool intoTray) {
    constexpr int kWidth = 17;
    constexpr int kFrameHeight = 15;
    Canvas canvas(kWidth, kFrameHeight * kPresetFrames);
    for (int frame = 0; frame < kPresetFrames; ++frame) {
        cairo_save(canvas.cr());
        cairo_translate(canvas.cr(), 0, frame * kFrameHeight);
        drawKey(canvas.cr(), 0, 0, kWidth, kFrameHeight, "", kPresetStates[frame]);
        drawTrayArrow(canvas.cr(), kWidth, kFrameHeight, intoTray, kPresetStates[frame]);
        cairo_restore(canvas.cr());
    }
    return canvas;
}

Canvas presetTextButton(int width, const char* legend) {
    constexpr int kFrameHeight = 13;
    return keyStrip(width, kFrameHeight,
                    {{legend, kPresetStates[0]}, {legend, kPresetStates[1]}, {legend, kPresetStates[2]}});
}

// One half of the program rocker: an arrow key pointing left or right.
void rockerHalf(cairo_t* cr, double x, double w, double h, bool right, KeyState state) {
    drawKey(cr, x, 0, w, h, "", state);
    const Rgb ink = state == KeyState::Off ? kLabelDim : Rgb{0.93, 0.98, 1.0};
    const double cx = x + w / 2;
    const double dir = right ? 1 : -1;
    cairo_move_to(cr, cx + dir * 3, h / 2);
    cairo_line_to(cr, cx - dir * 2, h / 2 - 3.5);
    cairo_line_to(cr, cx - dir * 2, h / 2 + 3.5);
    cairo_close_path(cr);
    setColour(cr, ink);
    cairo_fill(cr);
}

}  // namespace

Canvas transientKnob() { return knobStrip(kTransientKnob); }
Canvas releaseKnob() { return knobStrip(kReleaseKnob); }
Canvas levellerKnob() { return knobStrip(kLevellerKnob); }
Canvas linkKnob() { return knobStrip(kLinkKnob); }
Canvas driveKnob() { return knobStrip(kDriveKnob); }
Canvas outputKnob() { return knobStrip(kOutputKnob); }

// First order shows "I", second order "II".
Canvas detectorOrderKey() {
    return keyStrip(kKeyWidth, kKeyFrameHeight, {{"I", KeyState::Off}, {"II", KeyState::On}});
}
Canvas oversampleKey() { return onOffKey("2x"); }
Canvas quantizeKey() { return onOffKey("ON"); }
Canvas meterOversampleKey() { return preferenceKey("OVS"); }
Canvas attZoomKey() { return preferenceKey("12dB"); }
Canvas attShow1Key() { return preferenceKey("1"); }
Canvas attShow2Key() { return preferenceKey("2"); }
Canvas attShowLevellerKey() { return preferenceKey("L"); }

// Off; on while quantizing; on while quantizing is off (dimmed).
Canvas autoblackKey() {
    return keyStrip(kKeyWidth, kKeyFrameHeight,
                    {{"ON", KeyState::Off}, {"ON", KeyState::On}, {"ON", KeyState::Dim}});
}

// 8, 16, 24 bits dimmed (quantize off), then lit.
Canvas bitsKey() {
    return keyStrip(kKeyWidth, kKeyFrameHeight,
                    {{"8", KeyState::Dim}, {"16", KeyState::Dim}, {"24", KeyState::Dim},
                     {"8", KeyState::On}, {"16", KeyState::On}, {"24", KeyState::On}});
}

// Off, types A to C dimmed, types A to C lit.
Canvas noiseShapeKey() {
    return keyStrip(kKeyWidth, kKeyFrameHeight,
                    {{"OFF", KeyState::Off}, {"A", KeyState::Dim}, {"B", KeyState::Dim}, {"C", KeyState::Dim},
                     {"A", KeyState::On}, {"B", KeyState::On}, {"C", KeyState::On}});
}

// Off, left, right, both; then the bright blink phase of left, right, both.
Canvas calibrateKey() {
    return keyStrip(kKeyWidth, kKeyFrameHeight,
                    {{"OFF", KeyState::Off}, {"L", KeyState::On}, {"R", KeyState::On}, {"L+R", KeyState::On},
                     {"L", KeyState::Highlight}, {"R", KeyState::Highlight}, {"L+R", KeyState::Highlight}});
}

// Seven frames of 56: peak type with K-12, K-14, K-20 remembered; K type with each; flash.
// The top 19 rows select peak, the bottom 19 rows select and step the K scale.
Canvas meterModeKey() {
    constexpr int kWidth = 35;
    constexpr int kFrameHeight = 56;
    constexpr int kZone = 19;
    constexpr int kFrames = 7;
    constexpr int kHighlightFrame = 6;
    const char* const scales[] = {"K-12", "K-14", "K-20"};
    Canvas canvas(kWidth, kFrameHeight * kFrames);
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < kFrames; ++frame) {
        const bool flash = frame == kHighlightFrame;
        const bool kType = frame >= 3 && !flash;
        const int scale = flash ? 0 : frame % 3;
        cairo_save(cr);
        cairo_translate(cr, 0, frame * kFrameHeight);
        const KeyState peakState = flash ? KeyState::Highlight : (kType ? KeyState::Off : KeyState::On);
        const KeyState kState = flash ? KeyState::Highlight : (kType ? KeyState::On : KeyState::Off);
        drawKey(cr, 0, 0, kWidth, kZone - 1, "PEAK", peakState);
        drawKey(cr, 0, kFrameHeight - kZone + 1, kWidth, kZone - 1, "K-SYS", kState);
        // The scale window between the keys.
        roundedRect(cr, 1, kZone, kWidth - 2, kFrameHeight - 2 * kZone, 2);
        setColour(cr, kPanelDeep);
        cairo_fill(cr);
        const Rgb ink = flash ? kLit : (kType ? kAmber : kLabelDim.scaled(0.7));
        drawText(cr, flash ? "SAVED" : scales[scale], kWidth / 2.0, kZone + 12.5, {7.5, ink, true, Align::Centre});
        cairo_restore(cr);
    }
    return canvas;
}

// Three keys at the positions the switch hit-tests (x 1, 34, 67; y 2; 18 pixels square).
Canvas transShapeSwitch() {
    constexpr int kWidth = 90;
    constexpr int kFrameHeight = 25;
    constexpr int kPositions = 3;
    constexpr double kKeyLeft[kPositions] = {1, 34, 67};
    constexpr double kKeyTop = 2;
    constexpr double kKeySize = 18;
    Canvas canvas(kWidth, kFrameHeight * kPositions);
    for (int frame = 0; frame < kPositions; ++frame) {
        for (int key = 0; key < kPositions; ++key) {
            ledKey(canvas.cr(), kKeyLeft[key], frame * kFrameHeight + kKeyTop, kKeySize, kKeySize,
                   key == frame ? KeyState::On : KeyState::Off);
        }
    }
    return canvas;
}

Canvas powerButton() {
    constexpr int kSize = 35;
    constexpr int kFrames = 2;
    Canvas canvas(kSize, kSize * kFrames);
    cairo_t* cr = canvas.cr();
    for (int frame = 0; frame < kFrames; ++frame) {
        const bool on = frame == 1;
        const double cx = kSize / 2.0;
        const double cy = frame * kSize + kSize / 2.0;
        cairo_arc(cr, cx, cy, 16.5, 0, 2 * std::numbers::pi);
        setColour(cr, kBevelShadow);
        cairo_fill(cr);
        cairo_pattern_t* cap = cairo_pattern_create_linear(0, cy - 14, 0, cy + 14);
        cairo_pattern_add_color_stop_rgb(cap, 0, 0.36, 0.38, 0.41);
        cairo_pattern_add_color_stop_rgb(cap, 1, 0.16, 0.17, 0.19);
        cairo_arc(cr, cx, cy, 14, 0, 2 * std::numbers::pi);
        cairo_set_source(cr, cap);
        cairo_fill(cr);
        cairo_pattern_destroy(cap);
        // Ring that glows while the limiter runs.
        cairo_set_line_width(cr, 1.6);
        cairo_arc(cr, cx, cy, 15.2, 0, 2 * std::numbers::pi);
        setColour(cr, on ? kLit : Rgb::bytes(30, 40, 46));
        cairo_stroke(cr);
        // The power symbol.
        const Rgb ink = on ? Rgb{0.88, 0.97, 1.0} : kLabelDim.scaled(0.7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 2.2);
        setColour(cr, ink);
        cairo_arc(cr, cx, cy + 1, 7, -std::numbers::pi / 2 + 0.7, 1.5 * std::numbers::pi - 0.7);
        cairo_stroke(cr);
        cairo_move_to(cr, cx, cy - 8);
        cairo_line_to(cr, cx, cy);
        cairo_stroke(cr);
    }
    return canvas;
}

// AutoOut and PostMeter: off, on, flash.
Canvas smallLedKey() {
    constexpr int kWidth = 18;
    constexpr int kFrameHeight = 24;
    constexpr KeyState states[] = {KeyState::Off, KeyState::On, KeyState::Highlight};
    Canvas canvas(kWidth, kFrameHeight * 3);
    for (int frame = 0; frame < 3; ++frame) {
        ledKey(canvas.cr(), 0, frame * kFrameHeight, kWidth, kFrameHeight, states[frame]);
    }
    return canvas;
}

Canvas loadButton() { return trayButton(false); }
Canvas saveButton() { return trayButton(true); }
Canvas defaultBankButton() { return presetTextButton(32, "DEF"); }
Canvas defaultPresetButton() { return presetTextButton(44, "DEFAULT"); }

// Normal, over left, over right, left pressed, right pressed.
Canvas programRocker() {
    constexpr int kWidth = 30;
    constexpr int kFrameHeight = 13;
    constexpr int kHalf = kWidth / 2;
    struct Look {
        KeyState left, right;
    };
    constexpr Look looks[] = {{KeyState::Off, KeyState::Off},
                              {KeyState::Highlight, KeyState::Off},
                              {KeyState::Off, KeyState::Highlight},
                              {KeyState::Pressed, KeyState::Off},
                              {KeyState::Off, KeyState::Pressed}};
    Canvas canvas(kWidth, kFrameHeight * 5);
    for (int frame = 0; frame < 5; ++frame) {
        cairo_save(canvas.cr());
        cairo_translate(canvas.cr(), 0, frame * kFrameHeight);
        rockerHalf(canvas.cr(), 0, kHalf, kFrameHeight, false, looks[frame].left);
        rockerHalf(canvas.cr(), kHalf, kHalf, kFrameHeight, true, looks[frame].right);
        cairo_restore(canvas.cr());
    }
    return canvas;
}

}  // namespace orv::art
