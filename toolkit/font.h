// Font descriptions and their cairo faces, found through fontconfig.
#pragma once

#include <cstdint>
#include <string>

typedef struct _cairo_font_face cairo_font_face_t;

namespace orv {

enum CFontStyle : int32_t { kNormalFace = 0, kBoldFace = 1 << 0, kItalicFace = 1 << 1 };

// family points at a string that lives as long as the program (a literal).
struct CFontDesc {
    const char* family = "Liberation Sans";
    double size = 10.0;  // pixels (one point per pixel, as the window system measures it)
    int32_t style = kNormalFace;
};

// The small text face of every readout and field: an Arial-metric sans at 10 points.
inline constexpr CFontDesc kNormalFontSmaller{"Liberation Sans", 10.0, kNormalFace};

// UI thread. The cairo face that fontconfig matches for font; cached for the life of the
// process, never null (fontconfig falls back to a default face).
cairo_font_face_t* fontFaceFor(const CFontDesc& font);

// UI thread. The family name fontconfig actually chose for font.
std::string matchedFontFamily(const CFontDesc& font);

}  // namespace orv
