#include "toolkit/text_edit.h"

#include "toolkit/frame.h"

#include <array>

namespace orv {

CTextEdit::CTextEdit(const CRect& size, CControlListener* l, int32_t tag, std::string_view t,
                     std::shared_ptr<CBitmap> background, int32_t style)
    : CParamDisplay(size, l, tag, std::move(background), style) {
    setText(t);
}

CTextEdit::~CTextEdit() = default;

void CTextEdit::setText(std::string_view t) {
    text.assign(t.substr(0, kDisplayTextSize - 1));
    setDirty();
}

std::string CTextEdit::displayedText() const {
    if (!valueToText) return text;
    std::array<char, kDisplayTextSize> buffer{};
    valueToText(getValue(), buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

void CTextEdit::draw(CDrawContext& context) {
    if (!editing) {
        drawDisplay(context, displayedText());
        return;
    }
    // While editing: plain back colour, the typed text and a caret after it.
    const CRect& size = getViewSize();
    context.setFillColor(getBackColor());
    context.drawRect(size, kDrawFilled);
    context.setFont(getFont());
    context.setFontColor(getFontColor());
    context.drawString(editText, size, getHoriAlign());
    const CCoord full = context.getStringWidth(editText);
    const CCoord before = context.getStringWidth(std::string_view(editText).substr(0, caret));
    CCoord start = size.left;
    if (getHoriAlign() == kCenterText) start = size.left + (size.getWidth() - full) / 2;
    else if (getHoriAlign() == kRightText) start = size.right - full;
    const CCoord x = static_cast<CCoord>(static_cast<int>(start + before)) + 0.5;
    context.setFrameColor(getFontColor());
    context.setLineWidth(1);
    context.drawLine({x, size.top + 2}, {x, size.bottom - 2});
    context.setFrameColor(getFrameColor());
    context.drawRect(size, kDrawStroked);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons) {
    // The frame gives the focus after a handled click, which starts the editing.
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult CTextEdit::onMouseEntered(CPoint&, const CButtonState&) {
    if (CFrame* f = getFrame()) f->getPlatform().setCursor(kCursorIBeam);
    return kMouseEventHandled;
}

CMouseEventResult CTextEdit::onMouseExited(CPoint&, const CButtonState&) {
    if (CFrame* f = getFrame()) f->getPlatform().setCursor(kCursorDefault);
    return kMouseEventHandled;
}

void CTextEdit::takeFocus() {
    if (editing) return;
    editing = true;
    editText = displayedText();
    caret = editText.size();
    if (CFrame* f = getFrame()) f->getPlatform().setTextEntry(true);
    invalid();
}

void CTextEdit::looseFocus() { finishEditing(true); }

void CTextEdit::finishEditing(bool commit) {
    if (!editing) return;
    editing = false;
    if (CFrame* f = getFrame()) {
        f->getPlatform().setTextEntry(false);
        if (f->getFocusView() == this) f->setFocusView(nullptr);
    }
    if (commit) {
        text = editText;
        if (textToValue) {
            float converted = getValue();
            textToValue(text.c_str(), &converted);
            setValue(converted);
        }
        valueChanged();
    }
    invalid();
}

int32_t CTextEdit::onKeyDown(const VstKeyCode& key) {
    if (!editing) return -1;
    switch (key.virt) {
    case kKeyReturn:
    case kKeyEnter:
    case kKeyTab: finishEditing(true); return 1;
    case kKeyEscape: finishEditing(false); return 1;
    case kKeyBack:
        if (caret > 0) editText.erase(--caret, 1);
        break;
    case kKeyDelete:
        if (caret < editText.size()) editText.erase(caret, 1);
        break;
    case kKeyLeft:
        if (caret > 0) --caret;
        break;
    case kKeyRight:
        if (caret < editText.size()) ++caret;
        break;
    case kKeyHome: caret = 0; break;
    case kKeyEnd: caret = editText.size(); break;
    default:
        // Printable ASCII only: names and numbers are plain bytes.
        if (key.character < 32 || key.character > 126) return -1;
        if (editText.size() >= kDisplayTextSize - 1) return 1;
        editText.insert(caret++, 1, static_cast<char>(key.character));
        break;
    }
    invalid();
    return 1;
}

int32_t CTextEdit::onKeyUp(const VstKeyCode&) { return editing ? 1 : -1; }

void CTextEdit::removed() {
    // Closing the window drops an unfinished edit.
    if (editing) {
        editing = false;
        if (CFrame* f = getFrame()) f->getPlatform().setTextEntry(false);
    }
    CParamDisplay::removed();
}

}  // namespace orv
