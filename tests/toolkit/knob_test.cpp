#include "toolkit/knob.h"

#include "toolkit_fixture.h"

#include <cmath>

namespace orv::test {
namespace {

// Knob 100 x 100 at 0, 0 with its centre at 50, 50.
class KnobTest : public FrameTest {
protected:
    void SetUp() override { savedMode = getKnobMode(); }
    void TearDown() override { setKnobMode(savedMode); }

    CKnob* knob = add(std::make_unique<CKnob>(CRect{0, 0, 100, 100}, &listener, 9, nullptr));
    int32_t savedMode = kCircularMode;
};

TEST_F(KnobTest, LinearDragCoversTheRangeInTwoHundredPixels) {
    setKnobMode(kLinearMode);
    down(50, 50);
    move(50, 0);  // 50 up
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    move(100, 0);  // and 50 right
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    move(100, -200);
    EXPECT_EQ(knob->getValue(), 1.0f);  // limited
    up(100, -200);
    const std::vector<std::pair<char, int32_t>> gesture{{'b', 9}, {'e', 9}};
    EXPECT_EQ(edits.events, gesture);
}

TEST_F(KnobTest, ShiftDragIsFinerByTheZoomFactor) {
    setKnobMode(kLinearMode);
    down(50, 50, kLButton | kShift);
    move(50, 30, kLButton | kShift);
    EXPECT_FLOAT_EQ(knob->getValue(), static_cast<float>(20.0 / (kKnobLinearRange * kKnobDefaultZoomFactor)));
}

TEST_F(KnobTest, PressingShiftMidDragKeepsTheValueAndContinuesFiner) {
    setKnobMode(kLinearMode);
    down(50, 50);
    move(50, 30);
    const float before = knob->getValue();
    move(50, 30, kLButton | kShift);
    EXPECT_FLOAT_EQ(knob->getValue(), before);
    move(50, 10, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), before + 20.0 / (kKnobLinearRange * kKnobDefaultZoomFactor), 1e-6);
}

TEST_F(KnobTest, ReportsOncePerChangeAndNotForAMoveToTheSamePoint) {
    setKnobMode(kLinearMode);
    down(50, 50);
    move(50, 40);
    move(50, 40);
    move(60, 50);  // same travel: value unchanged
    EXPECT_EQ(listener.values.size(), 1u);
}

struct AngleCase {
    CPoint where;
    float value;
};

TEST_F(KnobTest, CircularModeFollowsThePointersAngle) {
    setKnobMode(kCircularMode);
    const AngleCase cases[] = {
        {{50, 10}, 0.5f},                      // top
        {{10, 90}, 0.0f},                      // lower left, the minimum
        {{90, 90}, 1.0f},                      // lower right, the maximum
        {{10, 50}, 1.0f / 6.0f},               // left: 45 degrees past the start
        {{49, 95}, 0.0f}, {{51, 95}, 1.0f},    // the gap below snaps to the nearer end
    };
    for (const AngleCase& c : cases) {
        down(c.where.x, c.where.y);
        EXPECT_NEAR(knob->getValue(), c.value, 1e-3) << c.where.x << "," << c.where.y;
        up(c.where.x, c.where.y);
    }
}

TEST_F(KnobTest, RelativeCircularModeAddsTheAngleTravelled) {
    setKnobMode(kRelativCircularMode);
    knob->setValue(0.2f);
    down(50, 10);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.2f);  // a click alone changes nothing
    move(90, 50);                             // a quarter turn clockwise
    EXPECT_NEAR(knob->getValue(), 0.2 + 1.0 / 3.0, 1e-5);
}

TEST_F(KnobTest, ControlClickSetsTheDefaultWithoutADrag) {
    setKnobMode(kLinearMode);
    knob->setDefaultValue(0.7237f);
    EXPECT_EQ(down(50, 50, kLButton | kControl), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.7237f);
    move(50, 0);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.7237f);
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(edits.events.size(), 2u);
}

TEST_F(KnobTest, ControlShiftClickStartsAFineDragInstead) {
    setKnobMode(kLinearMode);
    EXPECT_EQ(down(50, 50, kLButton | kControl | kShift), kMouseEventHandled);
    EXPECT_EQ(knob->getValue(), 0.0f);
}

TEST_F(KnobTest, WheelStepsByTheWheelIncrementAndATenthWithShift) {
    knob->setWheelInc(0.05f);
    EXPECT_TRUE(frame->onWheel({50, 50}, 2.0f, 0));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.1f);
    EXPECT_TRUE(frame->onWheel({50, 50}, 1.0f, kShift));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.105f);
    EXPECT_TRUE(frame->onWheel({50, 50}, -10.0f, 0));
    EXPECT_EQ(knob->getValue(), 0.0f);
    EXPECT_TRUE(frame->onWheel({50, 50}, -1.0f, 0));  // at the minimum: no report
    EXPECT_EQ(listener.values.size(), 3u);
}

TEST_F(KnobTest, ArrowKeysStepOnceTheKnobHasTheFocus) {
    setKnobMode(kLinearMode);
    knob->setWheelInc(0.25f);
    click(50, 50);
    EXPECT_EQ(keyDown(kKeyUp), 1);
    EXPECT_EQ(keyDown(kKeyRight, 0, kModifierShift), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.275f);
    EXPECT_EQ(keyDown(kKeyDown), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.025f);
    EXPECT_EQ(keyDown(kKeyNone, 'a'), -1);
}

struct FrameCase {
    float value;
    int32_t frame;
};

TEST(AnimKnobFrames, FollowTheValueDownToWholeFrames) {
    CAnimKnob knob(CRect{0, 0, 48, 47}, nullptr, 0, 101, 47, nullptr);
    const FrameCase cases[] = {{0.0f, 0}, {0.005f, 0}, {0.011f, 1}, {0.5f, 50}, {0.999f, 99}, {1.0f, 100}};
    for (const FrameCase& c : cases) EXPECT_EQ(knob.frameOffsetFor(c.value), c.frame * 47.0) << c.value;
    EXPECT_EQ(knob.frameOffsetFor(-0.2f), 0.0);
}

class AnimKnobTest : public FrameTest {};

TEST_F(AnimKnobTest, DrawsTheFrameItsValueSelects) {
    auto* knob = add(std::make_unique<CAnimKnob>(CRect{10, 10, 58, 57}, &listener, 2, 101, 47, stripBitmap(48, 47, 101)));
    for (const FrameCase c : {FrameCase{0.0f, 0}, FrameCase{0.5f, 50}, FrameCase{0.73f, 73}, FrameCase{1.0f, 100}}) {
        knob->setValue(c.value);
        render();
        EXPECT_EQ(shownFrame(*platform, 30, 30), c.frame) << c.value;
        EXPECT_EQ(shownFrame(*platform, 57, 56), c.frame);
    }
}

}  // namespace
}  // namespace orv::test
