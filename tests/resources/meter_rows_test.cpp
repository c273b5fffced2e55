// The meters copy rows of their bar and scale bitmaps by level, so the colour zones and dB
// marks must sit on exactly the rows the level mapping expects (6 rows per dB).
#include <gtest/gtest.h>

#include <set>

#include "png_image.h"

namespace orv::test {
namespace {

enum class Zone { Over, Warn, Normal };

// Judged by colour balance only, so it holds for the lit and the dimmed bars alike.
Zone zoneOf(const Pixel& p) {
    if (p.b >= p.r && p.b >= p.g) return Zone::Normal;
    if (p.g < 0.65 * p.r) return Zone::Over;
    return Zone::Warn;
}

struct BarCase {
    int id;
    int firstWarnRow;    // rows above are the over zone
    int firstNormalRow;  // rows from here down are the normal zone
};

// Peak bars: 0 dBFS at row 120, warning from -6 dBFS (row 156). K bars: 0 dBr at row 144,
// over from +4 dBr (row 120).
constexpr BarCase kBars[] = {{130, 120, 156}, {155, 120, 156}, {154, 120, 144}, {129, 120, 144}};

TEST(MeterBars, ColourZonesChangeOnTheMappedRows) {
    for (const BarCase& bar : kBars) {
        SCOPED_TRACE(bar.id);
        const PngImage image(bar.id);
        ASSERT_TRUE(image.valid());
        const int centre = image.width() / 2;
        for (int row = 0; row < image.height(); ++row) {
            const Zone expected = row < bar.firstWarnRow ? Zone::Over
                                  : row < bar.firstNormalRow ? Zone::Warn : Zone::Normal;
            ASSERT_EQ(zoneOf(image.at(centre, row)), expected) << "row " << row;
        }
    }
}

int brightness(const Pixel& p) { return p.r + p.g + p.b; }

TEST(MeterBars, UnlitBarsAreDarkerThanLitOnesEverywhere) {
    for (const auto& [lit, unlit] : {std::pair{130, 155}, std::pair{154, 129}}) {
        const PngImage on(lit);
        const PngImage off(unlit);
        for (int row = 0; row < on.height(); ++row)
            for (int x = 0; x < on.width(); ++x)
                ASSERT_LT(brightness(off.at(x, row)), brightness(on.at(x, row))) << lit << " " << x << "," << row;
    }
}

// The zero mark is the one amber tick; the other marks are light or grey.
bool isZeroMark(const Pixel& p) { return p.r > 200 && p.g > 140 && p.g < 220 && p.b < 100; }
bool isTick(const Pixel& p) { return brightness(p) > 250; }

struct ScaleCase {
    int id;
    int firstRow;  // of the frame
    int zeroRow;   // within the frame
    int rowsPerDb;
    int lastTickRow;  // within the frame
    int tickColumn;
};

constexpr ScaleCase kScales[] = {
    {133, 0, 76, 6, 364, 1},  {136, 0, 76, 6, 364, 1},   // peak and K-12
    {132, 0, 88, 6, 364, 1},  {135, 0, 88, 6, 364, 1},   // K-14
    {131, 0, 124, 6, 364, 1}, {134, 0, 124, 6, 364, 1},  // K-20
    {167, 0, 3, 6, 147, 17},  {167, 153, 3, 12, 147, 17},  // gain reduction, 24 and 12 dB
};

TEST(MeterScales, ZeroMarkAndDbTicksSitOnTheMappedRows) {
    for (const ScaleCase& s : kScales) {
        SCOPED_TRACE(testing::Message() << s.id << " frame row " << s.firstRow);
        const PngImage image(s.id);
        ASSERT_TRUE(image.valid());
        std::set<int> zeroRows;
        const int frameRows = s.id == 167 ? 153 : image.height();
        for (int row = 0; row < frameRows; ++row) {
            const Pixel p = image.at(s.tickColumn, s.firstRow + row);
            if (isZeroMark(p)) zeroRows.insert(row);
            const bool onDb = (row - s.zeroRow) % s.rowsPerDb == 0;
            const bool inRange = row >= s.zeroRow - (s.zeroRow / s.rowsPerDb) * s.rowsPerDb && row <= s.lastTickRow;
            EXPECT_EQ(isTick(p), onDb && inRange) << "row " << row;
        }
        EXPECT_EQ(zeroRows, std::set<int>{s.zeroRow});
    }
}

}  // namespace
}  // namespace orv::test
