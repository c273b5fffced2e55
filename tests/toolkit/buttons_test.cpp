#include "toolkit/buttons.h"

#include "toolkit_fixture.h"

namespace orv::test {
namespace {

class OnOffButtonTest : public FrameTest {
protected:
    COnOffButton* button = add(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 3, stripBitmap(30, 20, 2)));
};

TEST_F(OnOffButtonTest, LeftClicksToggleAndReportEachChangeOnce) {
    click(20, 20);
    EXPECT_EQ(button->getValue(), 1.0f);
    click(20, 20);
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(OnOffButtonTest, OtherButtonsAreNotHandled) {
    EXPECT_EQ(down(20, 20, kRButton), kMouseEventNotHandled);
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_TRUE(listener.values.empty());
}

TEST_F(OnOffButtonTest, ShowsFrameOneWhenOn) {
    render();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 0);
    click(20, 20);
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 1);
}

class KickButtonTest : public FrameTest {
protected:
    CKickButton* button = add(std::make_unique<CKickButton>(CRect{10, 10, 40, 30}, &listener, 7, stripBitmap(30, 20, 2)));
};

TEST_F(KickButtonTest, PressReportsMaxAndReleaseReportsMin) {
    down(20, 20);
    EXPECT_EQ(button->getValue(), 1.0f);
    up(20, 20);
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    const std::vector<std::pair<char, int32_t>> gesture{{'b', 7}, {'e', 7}};
    EXPECT_EQ(edits.events, gesture);
}

TEST_F(KickButtonTest, LeavingWhilePressedReleasesAndComingBackPressesAgain) {
    down(20, 20);
    move(100, 100);
    EXPECT_EQ(button->getValue(), 0.0f);
    move(25, 15);
    EXPECT_EQ(button->getValue(), 1.0f);
    move(100, 100);
    up(100, 100);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f}));
}

TEST_F(KickButtonTest, ShowsThePressedFrameWhileDown) {
    render();
    down(20, 20);
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 1);
    up(20, 20);
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 0);
}

TEST_F(KickButtonTest, ReturnPressesItOnceItHasTheFocus) {
    EXPECT_EQ(keyDown(kKeyReturn), -1);  // no focus yet
    click(20, 20);
    listener.values.clear();
    EXPECT_EQ(keyDown(kKeyReturn), 1);
    EXPECT_EQ(frame->onKeyUp({0, kKeyReturn, 0}), 1);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

struct RockerCase {
    int32_t style;
    CPoint where;
    float side;
};

class RockerSwitchTest : public FrameTest {};

TEST_F(RockerSwitchTest, PressingAHalfMovesToItsSideUntilRelease) {
    const RockerCase cases[] = {
        {kHorizontal, {12, 20}, -1.0f}, {kHorizontal, {29, 20}, -1.0f}, {kHorizontal, {30, 20}, 1.0f},
        {kHorizontal, {49, 12}, 1.0f},  {kVertical, {20, 11}, 1.0f},    {kVertical, {20, 28}, -1.0f},
    };
    for (const RockerCase& c : cases) {
        RecordingListener heard;
        auto* rocker = add(std::make_unique<CRockerSwitch>(CRect{10, 10, 50, 30}, &heard, 1, nullptr, CPoint{}, c.style));
        down(c.where.x, c.where.y);
        EXPECT_EQ(rocker->getValue(), c.side) << c.where.x << "," << c.where.y;
        up(c.where.x, c.where.y);
        EXPECT_EQ(rocker->getValue(), 0.0f);
        EXPECT_EQ(heard.values, (std::vector<float>{c.side, 0.0f}));
        frame->removeView(rocker);
    }
}

TEST_F(RockerSwitchTest, DrawsOneFramePerPosition) {
    add(std::make_unique<CRockerSwitch>(CRect{10, 10, 50, 30}, &listener, 1, stripBitmap(40, 20, 3)));
    render();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 1);
    down(15, 20);
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 0);
    move(45, 20);
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 2);
    up(45, 20);
    platform->paint();
    EXPECT_EQ(shownFrame(*platform, 20, 20), 1);
}

}  // namespace
}  // namespace orv::test
