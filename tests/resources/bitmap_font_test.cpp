// The two bitmap fonts: 192 cells of 5 x 8, characters 32..127 on the light colour, then on
// dark grey (normal font) or red (alert font).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "png_image.h"

namespace orv::test {
namespace {

constexpr int kCellHeight = 8;
constexpr int kCellsPerSet = 96;
constexpr Pixel kLight{213, 236, 246, 255};
constexpr Pixel kDark{79, 79, 79, 255};
constexpr Pixel kAlert{229, 53, 5, 255};

struct FontCase {
    int id;
    Pixel darkSetBack;
};

constexpr FontCase kFonts[] = {{137, kDark}, {138, kAlert}};

int inkPixels(const PngImage& font, int cell, const Pixel& back) {
    int ink = 0;
    for (int y = 0; y < kCellHeight; ++y)
        for (int x = 0; x < font.width(); ++x) ink += font.at(x, cell * kCellHeight + y) == back ? 0 : 1;
    return ink;
}

TEST(BitmapFonts, BothSetsHold96DistinctGlyphCells) {
    for (const FontCase& f : kFonts) {
        SCOPED_TRACE(f.id);
        const PngImage font(f.id);
        ASSERT_TRUE(font.valid());
        ASSERT_EQ(font.height(), 2 * kCellsPerSet * kCellHeight);
        for (int set = 0; set < 2; ++set) {
            const Pixel back = set == 0 ? kLight : f.darkSetBack;
            std::set<std::string> glyphs;
            for (int glyph = 0; glyph < kCellsPerSet; ++glyph) {
                const int cell = set * kCellsPerSet + glyph;
                SCOPED_TRACE(testing::Message() << "cell " << cell);
                // The top row is the gap between lines; the cell's corner shows its background.
                for (int x = 0; x < font.width(); ++x) EXPECT_EQ(font.at(x, cell * kCellHeight), back);
                const int ink = inkPixels(font, cell, back);
                if (glyph == 0) {
                    EXPECT_EQ(ink, 0) << "space";
                } else {
                    EXPECT_GT(ink, 0);
                }
                glyphs.insert(font.rows(cell * kCellHeight, kCellHeight));
            }
            EXPECT_EQ(glyphs.size(), std::size_t(kCellsPerSet));
        }
    }
}

// The dark sets print light ink, so text on the grey and red boxes reads as the light colour.
TEST(BitmapFonts, DarkSetInkIsTheLightColour) {
    for (const FontCase& f : kFonts) {
        const PngImage font(f.id);
        const int zeroCell = kCellsPerSet + ('0' - 32);
        for (int y = 0; y < kCellHeight; ++y)
            for (int x = 0; x < font.width(); ++x) {
                const Pixel p = font.at(x, zeroCell * kCellHeight + y);
                EXPECT_TRUE(p == f.darkSetBack || p == kLight) << f.id << " " << x << "," << y;
            }
    }
}

TEST(BitmapFonts, AlertFontSharesTheLightSet) {
    const PngImage normal(137);
    const PngImage alert(138);
    EXPECT_EQ(normal.rows(0, kCellsPerSet * kCellHeight), alert.rows(0, kCellsPerSet * kCellHeight));
}

}  // namespace
}  // namespace orv::test
