#include "toolkit/bitmap.h"

#include "toolkit_fixture.h"

#include <cairo.h>

#include <vector>

namespace orv::test {
namespace {

TEST(Bitmaps, PixelsMustMatchTheSize) {
    const std::vector<uint32_t> six(6, 0xFFFFFFFFu);
    EXPECT_NE(CBitmap::fromPixels(3, 2, six), nullptr);
    EXPECT_EQ(CBitmap::fromPixels(4, 2, six), nullptr);
    EXPECT_EQ(CBitmap::fromPixels(0, 0, {}), nullptr);
}

namespace {
cairo_status_t collect(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}
}  // namespace

TEST(Bitmaps, ComeBackFromPngBytes) {
    auto strip = stripBitmap(4, 3, 2);
    std::vector<uint8_t> png;
    ASSERT_EQ(cairo_surface_write_to_png_stream(strip->surface(), collect, &png), CAIRO_STATUS_SUCCESS);
    auto decoded = CBitmap::fromPng(png);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->getWidth(), 4);
    EXPECT_EQ(decoded->getHeight(), 6);
    png.resize(png.size() / 2);
    EXPECT_EQ(CBitmap::fromPng(png), nullptr);
}

TEST(Bitmaps, TheRegistryAsksItsProviderById) {
    BitmapRegistry registry;
    EXPECT_EQ(registry.load(128), nullptr);
    std::vector<int32_t> asked;
    registry.setProvider([&asked](int32_t id) -> std::shared_ptr<CBitmap> {
        asked.push_back(id);
        return id == 990 ? stripBitmap(17, 15, 3) : nullptr;
    });
    auto found = registry.load(990);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->getHeight(), 45);
    EXPECT_EQ(registry.load(5), nullptr);
    EXPECT_EQ(asked, (std::vector<int32_t>{990, 5}));
}

}  // namespace
}  // namespace orv::test
