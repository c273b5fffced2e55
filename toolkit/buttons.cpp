#include "toolkit/buttons.h"

#include "toolkit/bitmap.h"
#include "toolkit/draw_context.h"

namespace orv {
namespace {
void drawFrame(CDrawContext& context, const CView& view, const CPoint& offset, int frame) {
    if (CBitmap* bitmap = view.getBackground()) {
        const CRect& size = view.getViewSize();
        context.drawBitmap(*bitmap, size, {offset.x, offset.y + frame * size.getHeight()});
    }
}
}  // namespace

// --- COnOffButton ---

COnOffButton::COnOffButton(const CRect& size, CControlListener* l, int32_t tag, std::shared_ptr<CBitmap> bitmap)
    : CControl(size, l, tag, std::move(bitmap)) {}

void COnOffButton::draw(CDrawContext& context) {
    drawFrame(context, *this, {}, getValue() == getMax() ? 1 : 0);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    setValue(getValue() == getMax() ? getMin() : getMax());
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

// --- CKickButton ---

CKickButton::CKickButton(const CRect& size, CControlListener* l, int32_t tag, std::shared_ptr<CBitmap> bitmap,
                         const CPoint& o)
    : CControl(size, l, tag, std::move(bitmap)), offset(o) {}

void CKickButton::draw(CDrawContext& context) {
    drawFrame(context, *this, offset, getValue() == getMax() ? 1 : 0);
}

void CKickButton::press(bool down) {
    const float target = down ? getMax() : getMin();
    if (getValue() == target) return;
    setValue(target);
    invalid();
    valueChanged();
}

CMouseEventResult CKickButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    beginEdit();
    press(true);
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (buttons & kLButton) press(getViewSize().pointInside(where));
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
    press(false);
    endEdit();
    return kMouseEventHandled;
}

int32_t CKickButton::onKeyDown(const VstKeyCode& key) {
    if (key.modifier != 0 || (key.virt != kKeyReturn && key.virt != kKeyEnter)) return -1;
    if (getValue() != getMax()) {
        beginEdit();
        press(true);
    }
    return 1;
}

int32_t CKickButton::onKeyUp(const VstKeyCode& key) {
    if (key.virt != kKeyReturn && key.virt != kKeyEnter) return -1;
    if (getValue() == getMax()) {
        press(false);
        endEdit();
    }
    return 1;
}

// --- CRockerSwitch ---

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* l, int32_t tag, std::shared_ptr<CBitmap> bitmap,
                             const CPoint& o, int32_t s)
    : CControl(size, l, tag, std::move(bitmap)), offset(o), style(s) {
    setMin(-1.0f);
    setMax(1.0f);
    setValue(0.0f);
    setDefaultValue(0.0f);
}

void CRockerSwitch::draw(CDrawContext& context) {
    const float v = getValue();
    drawFrame(context, *this, offset, v == getMin() ? 0 : (v == getMax() ? 2 : 1));
}

float CRockerSwitch::sideAt(const CPoint& where) const {
    const CPoint middle = getViewSize().getCenter();
    if (style & kVertical) return where.y < middle.y ? 1.0f : -1.0f;
    return where.x < middle.x ? -1.0f : 1.0f;
}

CMouseEventResult CRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    beginEdit();
    setValue(sideAt(where));
    invalid();
    valueChanged();
    return kMouseEventHandled;
}

CMouseEventResult CRockerSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventHandled;
    const float side = getViewSize().pointInside(where) ? sideAt(where) : 0.0f;
    if (side != getValue()) {
        setValue(side);
        invalid();
        valueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CRockerSwitch::onMouseUp(CPoint&, const CButtonState&) {
    if (getValue() != 0.0f) {
        setValue(0.0f);
        invalid();
        valueChanged();
    }
    endEdit();
    return kMouseEventHandled;
}

}  // namespace orv
