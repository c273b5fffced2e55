#include "toolkit/knob.h"

#include "toolkit/bitmap.h"
#include "toolkit/draw_context.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>

namespace orv {
namespace {
std::atomic<int32_t> processKnobMode{kCircularMode};

constexpr double kStartAngle = 1.25 * std::numbers::pi;
constexpr double kRangeAngle = 1.5 * std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr float kFineStep = 0.1f;

// The angle of where around centre, with y pointing up.
double pointerAngle(const CPoint& centre, const CPoint& where) {
    return std::atan2(centre.y - where.y, where.x - centre.x);
}
}  // namespace

void setKnobMode(int32_t mode) noexcept { processKnobMode.store(mode, std::memory_order_relaxed); }
int32_t getKnobMode() noexcept { return processKnobMode.load(std::memory_order_relaxed); }

CKnob::CKnob(const CRect& size, CControlListener* l, int32_t tag, std::shared_ptr<CBitmap> background,
             const CPoint& o)
    : CControl(size, l, tag, std::move(background)), offset(o) {}

double CKnob::angleForValue(float normalized) const noexcept {
    return kStartAngle - static_cast<double>(normalized) * kRangeAngle;
}

float CKnob::valueForPoint(const CPoint& where) const noexcept {
    double fromStart = std::fmod(kStartAngle - pointerAngle(getViewSize().getCenter(), where), kTwoPi);
    if (fromStart < 0) fromStart += kTwoPi;
    if (fromStart <= kRangeAngle) return static_cast<float>(fromStart / kRangeAngle);
    return (fromStart - kRangeAngle) < (kTwoPi - fromStart) ? 1.0f : 0.0f;
}

void CKnob::draw(CDrawContext& context) {
    if (CBitmap* bitmap = getBackground()) context.drawBitmap(*bitmap, getViewSize(), offset);
    const CRect& size = getViewSize();
    const CPoint centre = size.getCenter();
    const double radius = std::min(size.getWidth(), size.getHeight()) / 2 - 3;
    const double angle = angleForValue(getValueNormalized());
    context.setFrameColor(handleColor);
    context.setLineWidth(2);
    context.drawLine(centre, {centre.x + radius * std::cos(angle), centre.y - radius * std::sin(angle)});
}

void CKnob::changeValue(float value) {
    const float before = getValue();
    setValue(value);
    if (getValue() == before) return;
    invalid();
    valueChanged();
}

double CKnob::linearRange(const CButtonState& buttons) const noexcept {
    return (buttons & kShift) ? kKnobLinearRange * zoomFactor : kKnobLinearRange;
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    if (buttons == (kLButton | kControl)) {
        beginEdit();
        changeValue(getDefaultValue());
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    beginEdit();
    dragMode = getKnobMode();
    firstPoint = lastPoint = where;
    startValue = getValue();
    dragButtons = buttons;
    valuePerPixel = getRange() / linearRange(buttons);
    if (dragMode == kCircularMode) changeValue(getMin() + valueForPoint(where) * getRange());
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    // A modifier change at the same point still counts: it rebases the drag.
    if (!(buttons & kLButton) || !isEditing() || (where == lastPoint && buttons == dragButtons))
        return kMouseEventHandled;
    const CPoint previous = lastPoint;
    lastPoint = where;
    switch (dragMode) {
    case kCircularMode:
        changeValue(getMin() + valueForPoint(where) * getRange());
        break;
    case kRelativCircularMode: {
        const CPoint centre = getViewSize().getCenter();
        double turned = pointerAngle(centre, previous) - pointerAngle(centre, where);  // clockwise
        if (turned > std::numbers::pi) turned -= kTwoPi;
        if (turned < -std::numbers::pi) turned += kTwoPi;
        changeValue(getValue() + static_cast<float>(turned / kRangeAngle) * getRange());
        break;
    }
    default: {
        const double travelled = (firstPoint.y - where.y) + (where.x - firstPoint.x);
        if (buttons != dragButtons) {
            // New resolution from here on; rebase so the value does not jump.
            const double perPixel = getRange() / linearRange(buttons);
            startValue += static_cast<float>((valuePerPixel - perPixel) * travelled);
            valuePerPixel = perPixel;
            dragButtons = buttons;
        }
        changeValue(startValue + static_cast<float>(travelled * valuePerPixel));
        break;
    }
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
    endEdit();
    return kMouseEventHandled;
}

float CKnob::stepBy(float normalizedStep) { return getValue() + normalizedStep * getRange(); }

bool CKnob::onWheel(const CPoint&, float distance, const CButtonState& buttons) {
    const float step = getWheelInc() * ((buttons & kShift) ? kFineStep : 1.0f);
    const float before = getValue();
    setValue(stepBy(distance * step));
    if (getValue() != before) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

int32_t CKnob::onKeyDown(const VstKeyCode& key) {
    float direction = 0.0f;
    if (key.virt == kKeyUp || key.virt == kKeyRight) direction = 1.0f;
    else if (key.virt == kKeyDown || key.virt == kKeyLeft) direction = -1.0f;
    else return -1;
    const float step = getWheelInc() * ((key.modifier & kModifierShift) ? kFineStep : 1.0f);
    beginEdit();
    changeValue(stepBy(direction * step));
    endEdit();
    return 1;
}

// --- CAnimKnob ---

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* l, int32_t tag, int32_t frames, CCoord frameHeight,
                     std::shared_ptr<CBitmap> bitmap, const CPoint& o)
    : CKnob(size, l, tag, std::move(bitmap), o), subPixmaps(std::max(frames, 1)), heightOfOneImage(frameHeight) {}

CCoord CAnimKnob::frameOffsetFor(float normalized) const noexcept {
    if (!(normalized >= 0.0f)) return 0;
    const CCoord travel = std::trunc((subPixmaps - 1) * heightOfOneImage);
    const CCoord reached = std::min(travel, std::trunc(travel * std::min(normalized, 1.0f)));
    if (reached == travel) return travel;
    const CCoord step = std::max<CCoord>(1, std::trunc(heightOfOneImage));
    return reached - std::fmod(reached, step);
}

void CAnimKnob::draw(CDrawContext& context) {
    if (CBitmap* bitmap = getBackground()) {
        const CPoint source{getOffset().x, getOffset().y + frameOffsetFor(getValueNormalized())};
        context.drawBitmap(*bitmap, getViewSize(), source);
    }
}

}  // namespace orv
