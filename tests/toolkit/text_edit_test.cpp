#include "toolkit/gui_editor.h"
#include "toolkit/text_edit.h"

#include "toolkit_fixture.h"

#include <cstdio>
#include <cstdlib>

namespace orv::test {
namespace {

// A percent readout: shows "42.0%", reads a number limited to 0..100.
void percentText(float value, char* text) { std::snprintf(text, kDisplayTextSize, "%.1f%%", value * 100.0f); }
void percentValue(const char* text, float* value) {
    const float typed = std::strtof(text, nullptr);
    *value = (typed < 0.0f ? 0.0f : (typed > 100.0f ? 100.0f : typed)) / 100.0f;
}

class TextEditTest : public FrameTest {
protected:
    TextEditTest() {
        field->setTextToValueFunction(percentValue);
        field->setValueToTextFunction(percentText);
        field->setValue(0.25f);
    }
    CTextEdit* field = add(std::make_unique<CTextEdit>(CRect{10, 10, 90, 28}, &listener, 2));
};

TEST_F(TextEditTest, ShowsTheValueThroughItsFunction) { EXPECT_EQ(field->displayedText(), "25.0%"); }

TEST_F(TextEditTest, AClickStartsEditingWithTheShownText) {
    click(20, 20);
    EXPECT_TRUE(field->isEditing());
    EXPECT_EQ(field->getEditText(), "25.0%");
    EXPECT_EQ(field->getCaret(), 5u);
    EXPECT_TRUE(platform->textEntryActive());
    EXPECT_EQ(down(20, 20, kRButton), kMouseEventNotHandled);
}

TEST_F(TextEditTest, ReturnCommitsThroughTheTextToValueFunction) {
    click(20, 20);
    for (int i = 0; i < 5; ++i) keyDown(kKeyBack);
    type("150");
    EXPECT_EQ(field->getEditText(), "150");
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(keyDown(kKeyReturn), 1);
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(field->getValue(), 1.0f);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    EXPECT_EQ(field->displayedText(), "100.0%");
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(platform->textEntryActive());
}

TEST_F(TextEditTest, EscapeCancelsWithoutReporting) {
    click(20, 20);
    type("9");
    EXPECT_EQ(keyDown(kKeyEscape), 1);
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(field->getValue(), 0.25f);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(keyDown(kKeyNone, '5'), -1);  // no longer editing
}

TEST_F(TextEditTest, CaretKeysEditInsideTheText) {
    click(20, 20);
    keyDown(kKeyHome);
    type("1");
    keyDown(kKeyEnd);
    keyDown(kKeyBack);
    keyDown(kKeyLeft);
    keyDown(kKeyDelete);
    EXPECT_EQ(field->getEditText(), "125.");
    EXPECT_EQ(field->getCaret(), 4u);
}

TEST_F(TextEditTest, AClickElsewhereCommits) {
    click(20, 20);
    for (int i = 0; i < 5; ++i) keyDown(kKeyBack);
    type("50");
    click(150, 100);
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(field->getValue(), 0.5f);
    EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(TextEditTest, APlainFieldCommitsItsText) {
    auto* name = add(std::make_unique<CTextEdit>(CRect{10, 40, 90, 58}, &listener, 1000, "Init"));
    click(20, 50);
    type(" 2");
    keyDown(kKeyEnter);
    EXPECT_EQ(name->getText(), "Init 2");
    EXPECT_EQ(listener.values.size(), 1u);
}

// An editor whose window is one text field, opened offscreen.
class FieldEditor : public AEffGUIEditor {
public:
    FieldEditor()
        : AEffGUIEditor(nullptr, [](void*, const CRect& size) {
              return std::make_unique<COffscreenPlatform>(static_cast<int32_t>(size.getWidth()),
                                                          static_cast<int32_t>(size.getHeight()));
          }) {
        setRect({0, 0, 100, 40});
    }
    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        frame = std::make_unique<CFrame>(CRect{0, 0, 100, 40}, createPlatform({0, 0, 100, 40}), this);
        field = frame->addView(std::make_unique<CTextEdit>(CRect{0, 0, 100, 20}, &listener, 0, "ab"));
        return true;
    }
    RecordingListener listener;
    CTextEdit* field = nullptr;
};

TEST(TextEditKeys, ArriveThroughTheEditorsKeyPath) {
    FieldEditor editor;
    EXPECT_FALSE(editor.onKeyDown('x', 0, 0));  // window closed
    editor.open(nullptr);
    EXPECT_FALSE(editor.onKeyDown('x', 0, 0));  // nothing being edited
    CPoint where{5, 5};
    editor.getFrame()->onMouseDown(where, kLButton);
    EXPECT_TRUE(editor.onKeyDown('c', 0, 0));
    EXPECT_TRUE(editor.onKeyUp('c', 0, 0));
    EXPECT_TRUE(editor.onKeyDown(0, kKeyReturn, 0));
    EXPECT_EQ(editor.field->getText(), "abc");
    EXPECT_EQ(editor.listener.values.size(), 1u);
    editor.close();
    EXPECT_EQ(editor.getFrame(), nullptr);
}

}  // namespace
}  // namespace orv::test
