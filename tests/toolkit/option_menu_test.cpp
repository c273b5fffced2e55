#include "toolkit/option_menu.h"

#include "toolkit_fixture.h"

#include <string>

namespace orv::test {
namespace {

class OptionMenuTest : public FrameTest {
protected:
    OptionMenuTest() {
        menu->setNbItemsPerColumn(12);
        for (int i = 0; i < 24; ++i) menu->addEntry("Program " + std::to_string(i + 1));
        menu->setCurrent(3);
        render();
    }
    COptionMenuPopup* open() {
        click(185, 285);
        return dynamic_cast<COptionMenuPopup*>(frame->getPopup());
    }
    // Pixels in the tick column of entry index that differ from the popup's background.
    int tickPixels(const COptionMenuPopup& popup, int32_t index) {
        const CRect r = popup.entryRect(index);
        int marked = 0;
        for (int y = static_cast<int>(r.top); y < static_cast<int>(r.bottom); ++y)
            for (int x = static_cast<int>(r.left) + 2; x < static_cast<int>(r.left) + 14; ++x)
                if (platform->pixelAt(x, y).red < 150) ++marked;
        return marked;
    }

    COptionMenu* menu = add(std::make_unique<COptionMenu>(CRect{180, 280, 193, 292}, &listener, 1012));
};

TEST_F(OptionMenuTest, ValueIsTheCurrentIndex) {
    EXPECT_EQ(menu->getValue(), 3.0f);
    EXPECT_EQ(menu->getCurrentTitle(), "Program 4");
    EXPECT_FALSE(menu->setCurrent(24));
    EXPECT_EQ(menu->getMax(), 23.0f);
}

TEST_F(OptionMenuTest, PopupListsTheEntriesInColumnsInsideTheFrame) {
    COptionMenuPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(platform->popupGrabbed());
    EXPECT_EQ(popup->getNbColumns(), 2);
    EXPECT_EQ(popup->getNbRows(), 12);
    EXPECT_EQ(popup->entryRect(12).top, popup->entryRect(0).top);
    EXPECT_GT(popup->entryRect(12).left, popup->entryRect(0).left);
    EXPECT_EQ(popup->entryRect(11).left, popup->entryRect(0).left);
    EXPECT_GT(popup->entryRect(11).top, popup->entryRect(10).top);
    const CRect size = popup->getViewSize();
    EXPECT_GE(size.left, 0);
    EXPECT_GE(size.top, 0);
    EXPECT_LE(size.right, kFrameSize.right);
    EXPECT_LE(size.bottom, menu->getViewSize().top);  // no room below: it opens above
}

TEST_F(OptionMenuTest, TicksOnlyTheCurrentEntry) {
    COptionMenuPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    CPoint away{popup->entryRect(20).right - 2, popup->entryRect(20).top + 2};
    frame->onMouseMoved(away, 0);  // highlight elsewhere
    platform->paint();
    EXPECT_GT(tickPixels(*popup, 3), 4);
    for (int32_t other : {0, 2, 4, 15}) EXPECT_EQ(tickPixels(*popup, other), 0) << other;
}

TEST_F(OptionMenuTest, ChoosingAnEntryReportsItsIndexAndCloses) {
    COptionMenuPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    const CPoint target = popup->entryRect(13).getCenter();
    click(target.x, target.y);
    EXPECT_EQ(frame->getPopup(), nullptr);
    EXPECT_FALSE(platform->popupGrabbed());
    EXPECT_EQ(menu->getCurrentIndex(), 13);
    EXPECT_EQ(listener.values, std::vector<float>{13.0f});
}

TEST_F(OptionMenuTest, AClickOutsideOrEscapeClosesWithoutAChoice) {
    COptionMenuPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    const CRect size = popup->getViewSize();
    click(size.right + 1 < 200 ? size.right + 1 : 0, 299);
    EXPECT_EQ(frame->getPopup(), nullptr);
    open();
    EXPECT_EQ(keyDown(kKeyEscape), 1);
    EXPECT_EQ(frame->getPopup(), nullptr);
    EXPECT_EQ(menu->getCurrentIndex(), 3);
    EXPECT_TRUE(listener.values.empty());
}

TEST_F(OptionMenuTest, KeysMoveTheHighlightAndReturnChooses) {
    COptionMenuPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    keyDown(kKeyDown);
    keyDown(kKeyDown);
    EXPECT_EQ(popup->getHoverIndex(), 5);
    keyDown(kKeyReturn);
    EXPECT_EQ(menu->getCurrentIndex(), 5);
}

}  // namespace
}  // namespace orv::test
