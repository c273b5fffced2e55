// Every bitmap the editor loads is embedded, decodes, and has the size its control expects.
#include <gtest/gtest.h>

#include "png_image.h"

namespace orv::test {
namespace {

struct Expected {
    int id;
    int width, height;
};

constexpr Expected kCatalogue[] = {
    {128, 524, 462},  {129, 15, 432},   {130, 15, 432},  {131, 27, 367},  {132, 27, 367},
    {133, 27, 367},   {134, 27, 367},   {135, 27, 367},  {136, 27, 367},  {137, 5, 1536},
    {138, 5, 1536},   {139, 33, 38},    {140, 33, 38},   {141, 35, 392},  {142, 33, 114},
    {143, 33, 133},   {144, 33, 57},    {145, 33, 133},  {146, 90, 75},   {147, 48, 4747},
    {148, 48, 4747},  {149, 35, 70},    {150, 56, 5555}, {151, 58, 5656}, {152, 50, 4848},
    {153, 49, 4747},  {154, 15, 432},   {155, 15, 432},  {156, 15, 203},  {160, 33, 57},
    {161, 18, 72},    {162, 33, 38},    {163, 33, 57},   {164, 33, 57},   {165, 33, 57},
    {166, 33, 57},    {167, 58, 306},   {990, 17, 45},   {991, 17, 45},   {992, 32, 39},
    {993, 44, 39},    {995, 30, 65},
};

TEST(BitmapCatalogue, EveryIdDecodesToItsSize) {
    for (const Expected& e : kCatalogue) {
        SCOPED_TRACE(e.id);
        const PngImage image(e.id);
        ASSERT_TRUE(image.valid());
        EXPECT_EQ(image.width(), e.width);
        EXPECT_EQ(image.height(), e.height);
    }
}

TEST(BitmapCatalogue, UnknownIdsHaveNoImage) {
    for (const int id : {-1, 0, 127, 157, 158, 159, 168, 989, 994, 996, 1000}) {
        EXPECT_TRUE(bitmapPng(id).empty()) << id;
    }
}

// The frame shows the background wherever no control sits, so it must cover every pixel.
TEST(BitmapCatalogue, WindowBackgroundIsOpaque) {
    const PngImage image(128);
    ASSERT_TRUE(image.valid());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ASSERT_EQ(image.at(x, y).a, 255) << x << "," << y;
}

}  // namespace
}  // namespace orv::test
