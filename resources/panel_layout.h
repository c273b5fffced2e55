// Where the editor places its controls (window pixels), as far as the artwork must know it:
// the background draws labels, knob scales and wells around these rectangles.
#pragma once

#include <array>
#include <numbers>

namespace orv::art {

struct Rect {
    int left, top, right, bottom;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr double midX() const { return (left + right) / 2.0; }
    constexpr double midY() const { return (top + bottom) / 2.0; }
};

inline constexpr int kWindowWidth = 524;
inline constexpr int kWindowHeight = 462;

// A knob turns through 270 degrees; value 0 points to the lower left.
inline constexpr double kKnobStartAngle = -0.75 * std::numbers::pi;
inline constexpr double kKnobSweep = 1.5 * std::numbers::pi;
inline constexpr int kKnobFrames = 101;

struct ScaleLabel {
    double value;  // normalised knob position
    const char* text;
};

struct KnobLayout {
    int bitmapId;
    Rect rect;
    int frameHeight;
    const char* name;
    int ticks;  // evenly spaced, both ends included
    std::array<ScaleLabel, 2> labels;  // at the two ends of the scale
};

inline constexpr KnobLayout kTransientKnob{152, {55, 169, 105, 217}, 48, "TRANSIENT", 11,
                                           {{{0, "0"}, {1, "0.5"}}}};
inline constexpr KnobLayout kReleaseKnob{153, {56, 267, 105, 314}, 47, "RELEASE ms", 11,
                                         {{{0, "1"}, {1, "1k"}}}};
inline constexpr KnobLayout kLevellerKnob{147, {421, 169, 469, 216}, 47, "LEVELLER", 9,
                                          {{{0, "-12"}, {1, "OFF"}}}};
inline constexpr KnobLayout kLinkKnob{148, {421, 267, 469, 314}, 47, "L/R LINK %", 11,
                                      {{{0, "0"}, {1, "100"}}}};
inline constexpr KnobLayout kDriveKnob{150, {52, 349, 108, 404}, 55, "DRIVE dB", 9,
                                       {{{0, "-24"}, {1, "+24"}}}};
inline constexpr KnobLayout kOutputKnob{151, {417, 349, 475, 405}, 56, "OUTPUT dB", 9,
                                        {{{0, "-12"}, {1, "0"}}}};
inline constexpr std::array<KnobLayout, 6> kKnobs{kTransientKnob, kReleaseKnob, kLevellerKnob,
                                                  kLinkKnob,      kDriveKnob,   kOutputKnob};

// A labelled control: the label sits centred above the rectangle.
struct LabelledRect {
    Rect rect;
    const char* label;
};

inline constexpr std::array<LabelledRect, 11> kKeyLabels{{
    {{44, 40, 77, 59}, "ORDER"},
    {{81, 40, 114, 59}, "OVERS."},
    {{412, 40, 445, 59}, "QUANTIZE"},
    {{449, 40, 482, 59}, "A.BLACK"},
    {{412, 78, 445, 97}, "BITS"},
    {{449, 78, 482, 97}, "SHAPE"},
    {{224, 230, 302, 249}, "ATT SHOW"},
    {{269, 265, 302, 284}, "ZOOM"},
    {{269, 307, 302, 326}, "MTR OVS"},
    {{223, 305, 258, 361}, "MODE"},
    {{269, 341, 302, 360}, "CALIB."},
}};

inline constexpr Rect kTransShapeSwitch{38, 121, 128, 146};
inline constexpr Rect kPowerButton{245, 400, 280, 435};
inline constexpr Rect kAutoOutButton{394, 368, 412, 392};
inline constexpr Rect kPostMeterButton{116, 368, 134, 392};
inline constexpr Rect kInfoArea{224, 370, 301, 401};

// Text fields and the colour the editor fills them with.
inline constexpr Rect kDriveReadout{43, 409, 117, 427};
inline constexpr Rect kOutputReadout{410, 409, 484, 427};
inline constexpr std::array<Rect, 4> kGreyReadouts{{
    {45, 221, 119, 239}, {45, 319, 119, 337}, {411, 221, 485, 239}, {411, 319, 485, 337}}};
inline constexpr Rect kNameField{194, 447, 318, 461};
inline constexpr Rect kProgramMenu{320, 448, 333, 460};

// Numeric meter readouts: light strips the editor prints its dark value boxes onto.
inline constexpr std::array<Rect, 3> kLcdReadouts{{
    {131, 415, 224, 426}, {303, 415, 396, 426}, {217, 199, 310, 210}}};

// Meters: the bar wells and the scale slots.
inline constexpr Rect kInputMeter{147, 38, 207, 408};
inline constexpr Rect kOutputMeter{319, 38, 379, 406};
inline constexpr Rect kGainMeter{233, 39, 291, 192};

// Preset strip labels over the buttons.
inline constexpr std::array<LabelledRect, 5> kPresetLabels{{
    {{22, 447, 89, 462}, "BANK"},
    {{104, 447, 183, 462}, "PRESET"},
    {{340, 447, 370, 460}, "PROG"},
    {{388, 447, 438, 462}, "MEMO A"},
    {{452, 447, 503, 462}, "MEMO B"},
}};

}  // namespace orv::art
