// An editable one-line text field. A click starts editing; typed keys change the text;
// Return commits, Escape cancels, a click elsewhere commits.
#pragma once

#include "toolkit/param_display.h"

#include <cstddef>
#include <string>

namespace orv {

// Size of the text buffers the conversion functions get.
inline constexpr size_t kDisplayTextSize = 256;

// Writes the text shown for value into text (kDisplayTextSize bytes, terminated).
using ValueToTextFunction = void (*)(float value, char* text);
// Reads typed text (terminated) into *value.
using TextToValueFunction = void (*)(const char* text, float* value);

class CTextEdit : public CParamDisplay {
public:
    CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, std::string_view text = {},
              std::shared_ptr<CBitmap> background = nullptr, int32_t style = 0);
    ~CTextEdit() override;

    // UI thread. The text of a field without a value-to-text function.
    void setText(std::string_view text);
    const std::string& getText() const noexcept { return text; }
    // With a value-to-text function the field shows the value, formatted when it draws.
    void setValueToTextFunction(ValueToTextFunction f) noexcept { valueToText = f; }
    // With a text-to-value function a commit sets the value from the typed text.
    void setTextToValueFunction(TextToValueFunction f) noexcept { textToValue = f; }
    // What the field shows when it is not being edited.
    std::string displayedText() const;

    bool isEditing() const noexcept { return editing; }
    const std::string& getEditText() const noexcept { return editText; }
    size_t getCaret() const noexcept { return caret; }

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(const VstKeyCode& key) override;
    int32_t onKeyUp(const VstKeyCode& key) override;
    bool wantsFocus() const override { return true; }
    // Focus starts and ends the editing.
    void takeFocus() override;
    void looseFocus() override;

private:
    // Commit: the text becomes the field's text, the value comes from it, the listener hears
    // of it once. Otherwise the typed text is dropped.
    void finishEditing(bool commit);
    void removed() override;

    std::string text;
    std::string editText;
    size_t caret = 0;
    bool editing = false;
    ValueToTextFunction valueToText = nullptr;
    TextToValueFunction textToValue = nullptr;
};

}  // namespace orv
