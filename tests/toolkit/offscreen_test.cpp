#include "toolkit/buttons.h"
#include "toolkit/draw_context.h"
#include "toolkit/text_edit.h"

#include "toolkit_fixture.h"

#include <cairo.h>

#include <cstdio>
#include <filesystem>

namespace orv::test {
namespace {

TEST(Fonts, TheSmallFaceIsLiberationSansAtTenPoints) {
    EXPECT_EQ(matchedFontFamily(kNormalFontSmaller), "Liberation Sans");
    EXPECT_EQ(kNormalFontSmaller.size, 10.0);
    EXPECT_GT(measureString(kNormalFontSmaller, "Program 1"), 30.0);
}

class OffscreenTest : public FrameTest {};

TEST_F(OffscreenTest, WritesAPngWhosePixelsShowTheDrawnControls) {
    auto* button = add(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 1, stripBitmap(30, 20, 2)));
    auto* label = add(std::make_unique<CTextEdit>(CRect{60, 10, 160, 30}, nullptr, 0, "Orv Brivo"));
    label->setBackColor({255, 255, 255, 255});
    label->setFontColor({0, 0, 0, 255});
    button->setValue(1.0f);
    render();

    const auto path = std::filesystem::temp_directory_path() / "orv_toolkit_offscreen_test.png";
    ASSERT_TRUE(platform->writePng(path.string()));
    cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(read), 200);
    const auto pixel = [read](int x, int y) {
        const unsigned char* data = cairo_image_surface_get_data(read);
        return reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(read))[x] & 0xFFFFFFu;
    };
    EXPECT_EQ(pixel(20, 20), 0x0128C8u);  // frame 1 of the button strip
    EXPECT_EQ(pixel(5, 5), 0x0A0A0Au);    // the frame's background
    int ink = 0;
    for (int y = 12; y < 28; ++y)
        for (int x = 62; x < 158; ++x)
            if ((pixel(x, y) & 0xFF) < 100) ++ink;
    EXPECT_GT(ink, 40);  // the text is there
    cairo_surface_destroy(read);
    std::filesystem::remove(path);
}

TEST_F(OffscreenTest, AnInvalidatedViewChangesOnlyAtTheNextPaint) {
    add(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 1, stripBitmap(30, 20, 2)));
    render();
    click(20, 20);
    EXPECT_EQ(shownFrame(*platform, 20, 20), 0);
    EXPECT_TRUE(platform->hasPendingPaint());
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 1);
}

TEST_F(OffscreenTest, TimersFireOnTheAdvancedClockUntilReleased) {
    int fired = 0;
    auto timer = frame->createTimer(50, [&fired] { ++fired; });
    platform->advanceClock(49);
    EXPECT_EQ(fired, 0);
    platform->advanceClock(71);
    EXPECT_EQ(fired, 2);
    timer.reset();
    platform->advanceClock(500);
    EXPECT_EQ(fired, 2);
}

TEST_F(OffscreenTest, LaterViewsDrawOverEarlierOnesAndTakeTheClick) {
    auto* below = add(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 1, stripBitmap(30, 20, 2)));
    auto* above = add(std::make_unique<COnOffButton>(CRect{20, 10, 50, 30}, &listener, 2, stripBitmap(30, 20, 2)));
    above->setValue(1.0f);
    render();
    EXPECT_EQ(shownFrame(*platform, 25, 20), 1);
    EXPECT_EQ(shownFrame(*platform, 15, 20), 0);
    click(25, 20);
    EXPECT_EQ(above->getValue(), 0.0f);
    EXPECT_EQ(below->getValue(), 0.0f);
}

}  // namespace
}  // namespace orv::test
