#include "toolkit/control.h"

#include "toolkit/frame.h"

#include <algorithm>

namespace orv {

CControl::CControl(const CRect& size, CControlListener* l, int32_t tag, std::shared_ptr<CBitmap> background)
    : CView(size), listener(l), controlTag(tag) {
    setBackground(std::move(background));
}

CControl::~CControl() = default;

void CControl::setValue(float value) noexcept {
    // NaN is not in any range; keep the old value.
    if (!(value == value)) return;
    const float limited = std::clamp(value, std::min(minimum, maximum), std::max(minimum, maximum));
    if (currentValue.exchange(limited, std::memory_order_relaxed) != limited) setDirty();
}

float CControl::getValueNormalized() const noexcept {
    const float range = getRange();
    return range == 0.0f ? 0.0f : (getValue() - minimum) / range;
}

void CControl::valueChanged() {
    if (listener) listener->valueChanged(this);
}

void CControl::beginEdit() {
    if (editDepth++ > 0) return;
    if (CFrame* f = getFrame(); f && f->getEditor()) f->getEditor()->beginEdit(controlTag);
}

void CControl::endEdit() {
    if (editDepth == 0 || --editDepth > 0) return;
    if (CFrame* f = getFrame(); f && f->getEditor()) f->getEditor()->endEdit(controlTag);
}

// A gesture cut short by closing the window still ends at the host.
void CControl::removed() {
    if (editDepth > 0) {
        editDepth = 1;
        endEdit();
    }
    CView::removed();
}

}  // namespace orv
