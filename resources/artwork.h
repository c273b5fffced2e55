// Every bitmap of the editor, one function each, and the table from resource id to function.
#pragma once

#include <span>

#include "resources/painter.h"

namespace orv::art {

struct BitmapRecipe {
    int id;
    const char* what;
    Canvas (*draw)();
};

// In id order.
std::span<const BitmapRecipe> bitmapRecipes();

// Window background (background.cpp).
Canvas windowBackground();

// Knobs, keys and switches (controls_art.cpp).
Canvas transientKnob();
Canvas releaseKnob();
Canvas levellerKnob();
Canvas linkKnob();
Canvas driveKnob();
Canvas outputKnob();
Canvas detectorOrderKey();
Canvas oversampleKey();
Canvas meterModeKey();
Canvas bitsKey();
Canvas noiseShapeKey();
Canvas attZoomKey();
Canvas calibrateKey();
Canvas transShapeSwitch();
Canvas powerButton();
Canvas meterOversampleKey();
Canvas smallLedKey();
Canvas quantizeKey();
Canvas autoblackKey();
Canvas attShow1Key();
Canvas attShow2Key();
Canvas attShowLevellerKey();
Canvas loadButton();
Canvas saveButton();
Canvas defaultBankButton();
Canvas defaultPresetButton();
Canvas programRocker();

// Meter bars, scales and the bitmap fonts (meters_art.cpp).
Canvas kBarUnlit();
Canvas peakBarLit();
Canvas inputScaleK20();
Canvas inputScaleK14();
Canvas inputScalePeak();
Canvas outputScaleK20();
Canvas outputScaleK14();
Canvas outputScalePeak();
Canvas normalFont();
Canvas alertFont();
Canvas kBarLit();
Canvas peakBarUnlit();
Canvas gainBar();
Canvas gainScale();

}  // namespace orv::art
