#include "toolkit_fixture.h"

#include <cmath>
#include <limits>

namespace orv::test {
namespace {

// Counts its draws and fills its rectangle in grey.
class CountingControl : public CControl {
public:
    using CControl::CControl;
    void draw(CDrawContext& context) override {
        ++draws;
        context.setFillColor({128, 128, 128, 255});
        context.drawRect(getViewSize(), kDrawFilled);
    }
    int draws = 0;
};

struct ClampCase {
    float minimum, maximum, input, expected;
};

TEST(ControlValue, IsLimitedToItsRange) {
    const ClampCase cases[] = {
        {0.0f, 1.0f, 0.25f, 0.25f}, {0.0f, 1.0f, -0.5f, 0.0f}, {0.0f, 1.0f, 1.5f, 1.0f},
        {-1.0f, 1.0f, -1.0f, -1.0f}, {-1.0f, 1.0f, -3.0f, -1.0f}, {0.0f, 23.0f, 30.0f, 23.0f},
        {0.0f, 1.0f, std::numeric_limits<float>::infinity(), 1.0f},
    };
    for (const ClampCase& c : cases) {
        CControl control(CRect{0, 0, 10, 10});
        control.setMin(c.minimum);
        control.setMax(c.maximum);
        control.setValue(c.input);
        EXPECT_EQ(control.getValue(), c.expected) << c.input << " in " << c.minimum << ".." << c.maximum;
    }
}

TEST(ControlValue, NotANumberKeepsTheOldValue) {
    CControl control(CRect{0, 0, 10, 10});
    control.setValue(0.3f);
    control.setValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(control.getValue(), 0.3f);
}

TEST(ControlValue, StartsAtZeroWithDefaultOneHalfAndKeepsTagAndListener) {
    RecordingListener listener;
    CControl control(CRect{0, 0, 10, 10}, &listener, 17);
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_EQ(control.getTag(), 17);
    EXPECT_EQ(control.getListener(), &listener);
    control.setMin(-2.0f);
    control.setMax(2.0f);
    control.setValue(1.0f);
    EXPECT_FLOAT_EQ(control.getValueNormalized(), 0.75f);
}

TEST(ControlValue, SettingItDoesNotTellTheListener) {
    RecordingListener listener;
    CControl control(CRect{0, 0, 10, 10}, &listener, 1);
    control.setValue(0.7f);
    EXPECT_TRUE(listener.values.empty());
    control.valueChanged();
    EXPECT_EQ(listener.values, std::vector<float>{0.7f});
}

class ControlInFrame : public FrameTest {
protected:
    ControlInFrame() {
        first = add(std::make_unique<CountingControl>(CRect{10, 10, 30, 30}, &listener, 4));
        second = add(std::make_unique<CountingControl>(CRect{50, 10, 70, 30}, &listener, 5));
        render();
        first->draws = second->draws = 0;
    }
    CountingControl* first = nullptr;
    CountingControl* second = nullptr;
};

TEST_F(ControlInFrame, SettingAValueMarksDirtyButDoesNotDraw) {
    first->setValue(0.4f);
    EXPECT_TRUE(first->isDirty());
    EXPECT_EQ(first->draws, 0);
    EXPECT_FALSE(platform->hasPendingPaint());
}

TEST_F(ControlInFrame, SettingTheSameValueAgainLeavesItClean) {
    first->setValue(0.0f);
    EXPECT_FALSE(first->isDirty());
}

TEST_F(ControlInFrame, IdleRedrawsOnlyDirtyViewsOnce) {
    first->setValue(0.4f);
    frame->idle();
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(second->draws, 0);
    EXPECT_FALSE(first->isDirty());
    frame->idle();
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(platform->pixelAt(20, 20), (CColor{128, 128, 128, 255}));
}

TEST_F(ControlInFrame, ADirtyFrameRedrawsEveryView) {
    frame->setDirty();
    frame->idle();
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(second->draws, 1);
}

TEST_F(ControlInFrame, EditsAreCountedAndOnlyTheOutermostPairReachesTheEditor) {
    first->beginEdit();
    first->beginEdit();
    EXPECT_TRUE(first->isEditing());
    first->endEdit();
    EXPECT_TRUE(first->isEditing());
    first->endEdit();
    first->endEdit();  // unmatched: ignored
    EXPECT_FALSE(first->isEditing());
    const std::vector<std::pair<char, int32_t>> expected{{'b', 4}, {'e', 4}};
    EXPECT_EQ(edits.events, expected);
}

TEST_F(ControlInFrame, RemovingAControlInTheMiddleOfAGestureEndsIt) {
    second->beginEdit();
    frame->removeView(second);
    const std::vector<std::pair<char, int32_t>> expected{{'b', 5}, {'e', 5}};
    EXPECT_EQ(edits.events, expected);
    EXPECT_EQ(frame->getNbViews(), 1u);
}

}  // namespace
}  // namespace orv::test
