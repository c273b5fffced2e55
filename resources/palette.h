// Colours and type sizes shared by every piece of artwork.
#pragma once

namespace orv::art {

struct Rgb {
    double r, g, b;
    static constexpr Rgb bytes(int red, int green, int blue) {
        return {red / 255.0, green / 255.0, blue / 255.0};
    }
    constexpr Rgb scaled(double f) const { return {r * f, g * f, b * f}; }
    constexpr Rgb mixed(Rgb other, double t) const {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
    }
};

// The three colours the meter readouts and the bitmap fonts are built on.
inline constexpr Rgb kLight = Rgb::bytes(213, 236, 246);
inline constexpr Rgb kDark = Rgb::bytes(79, 79, 79);
inline constexpr Rgb kAlert = Rgb::bytes(229, 53, 5);

// Panel and control surfaces.
inline constexpr Rgb kPanel = Rgb::bytes(46, 48, 52);
inline constexpr Rgb kPanelDeep = Rgb::bytes(24, 25, 28);
inline constexpr Rgb kBevelLight = Rgb::bytes(92, 96, 102);
inline constexpr Rgb kBevelShadow = Rgb::bytes(8, 8, 10);
inline constexpr Rgb kLabel = kLight;
inline constexpr Rgb kLabelDim = Rgb::bytes(130, 142, 150);
inline constexpr Rgb kInk = Rgb::bytes(36, 36, 32);

// Lit states: ice blue for "on", amber for the warning zone and the zero marks.
inline constexpr Rgb kLit = Rgb::bytes(120, 205, 240);
inline constexpr Rgb kAmber = Rgb::bytes(245, 180, 50);
inline constexpr Rgb kKeyFace = Rgb::bytes(58, 61, 66);

// Backgrounds of the text fields the editor lays over the window artwork.
inline constexpr Rgb kDarkField = Rgb::bytes(37, 36, 35);
inline constexpr Rgb kGreyField = Rgb::bytes(200, 200, 200);
inline constexpr Rgb kNameFieldFill = Rgb::bytes(209, 227, 238);

}  // namespace orv::art
