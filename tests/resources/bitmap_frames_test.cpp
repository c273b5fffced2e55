// Stacked-frame bitmaps: every frame looks different, and all frames share one transparency
// mask, so a control that redraws only itself over its previous frame leaves nothing behind.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "png_image.h"

namespace orv::test {
namespace {

struct Strip {
    int id;
    int frames;
};

constexpr Strip kKnobStrips[] = {{147, 101}, {148, 101}, {150, 101}, {151, 101}, {152, 101}, {153, 101}};

constexpr Strip kFramedControls[] = {
    {139, 2}, {140, 2}, {141, 7}, {142, 6}, {143, 7}, {144, 3}, {145, 7}, {146, 3},
    {149, 2}, {160, 3}, {161, 3}, {162, 2}, {163, 3}, {164, 3}, {165, 3}, {166, 3},
    {167, 2}, {990, 3}, {991, 3}, {992, 3}, {993, 3}, {995, 5},
};

void expectDistinctFramesWithOneMask(const Strip& strip) {
    SCOPED_TRACE(strip.id);
    const PngImage image(strip.id);
    ASSERT_TRUE(image.valid());
    ASSERT_EQ(image.height() % strip.frames, 0);
    const int frameHeight = image.height() / strip.frames;
    std::set<std::string> looks;
    const std::string firstMask = image.alphaMask(0, frameHeight);
    for (int frame = 0; frame < strip.frames; ++frame) {
        looks.insert(image.rows(frame * frameHeight, frameHeight));
        EXPECT_TRUE(image.alphaMask(frame * frameHeight, frameHeight) == firstMask) << "mask of frame " << frame;
    }
    EXPECT_EQ(looks.size(), std::size_t(strip.frames));
}

TEST(BitmapFrames, KnobStripsHave101DistinctFrames) {
    for (const Strip& strip : kKnobStrips) expectDistinctFramesWithOneMask(strip);
}

TEST(BitmapFrames, ButtonAndSwitchFramesDiffer) {
    for (const Strip& strip : kFramedControls) expectDistinctFramesWithOneMask(strip);
}

}  // namespace
}  // namespace orv::test
