#include "toolkit/font.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <mutex>
#include <tuple>

namespace orv {
namespace {

using FontKey = std::tuple<std::string, int32_t>;

FcPattern* matchPattern(const CFontDesc& font) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.family));
    FcPatternAddInteger(pattern, FC_WEIGHT, (font.style & kBoldFace) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, (font.style & kItalicFace) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* matched = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return matched;
}

// Faces are few (one per family and style in use) and kept until the process ends.
struct FaceCache {
    std::mutex mutex;
    std::map<FontKey, cairo_font_face_t*> faces;
};

FaceCache& faceCache() {
    static FaceCache cache;
    return cache;
}

}  // namespace

cairo_font_face_t* fontFaceFor(const CFontDesc& font) {
    FaceCache& cache = faceCache();
    std::lock_guard<std::mutex> guard(cache.mutex);
    FontKey key{font.family, font.style};
    auto found = cache.faces.find(key);
    if (found != cache.faces.end()) return found->second;

    cairo_font_face_t* face = nullptr;
    if (FcPattern* matched = matchPattern(font)) {
        face = cairo_ft_font_face_create_for_pattern(matched);
        FcPatternDestroy(matched);  // the face holds its own reference
    }
    if (face == nullptr || cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        if (face) cairo_font_face_destroy(face);
        face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    }
    cache.faces.emplace(key, face);
    return face;
}

std::string matchedFontFamily(const CFontDesc& font) {
    std::string family;
    if (FcPattern* matched = matchPattern(font)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(matched, FC_FAMILY, 0, &name) == FcResultMatch && name)
            family = reinterpret_cast<const char*>(name);
        FcPatternDestroy(matched);
    }
    return family;
}

}  // namespace orv
