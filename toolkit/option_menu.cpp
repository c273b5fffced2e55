#include "toolkit/option_menu.h"

#include "toolkit/draw_context.h"

#include <algorithm>
#include <cmath>

namespace orv {
namespace {
constexpr CCoord kRowPadding = 6;   // row height is the font size plus this
constexpr CCoord kTickWidth = 16;   // room for the tick left of each title
constexpr CCoord kRightPadding = 10;
constexpr CCoord kBorder = 1;
constexpr CColor kPopupBack{244, 244, 242, 255};
constexpr CColor kPopupText{30, 30, 30, 255};
constexpr CColor kPopupLine{110, 110, 110, 255};
constexpr CColor kHoverBack{52, 101, 164, 255};
constexpr CColor kHoverText{255, 255, 255, 255};
const std::string kNoEntry;

CCoord rowHeight(const CFontDesc& font) { return std::ceil(font.size) + kRowPadding; }
}  // namespace

// --- COptionMenu ---

COptionMenu::COptionMenu(const CRect& size, CControlListener* l, int32_t tag, std::shared_ptr<CBitmap> background,
                         int32_t style)
    : CParamDisplay(size, l, tag, std::move(background), style) {
    setMax(0.0f);
    setDefaultValue(0.0f);
}

int32_t COptionMenu::addEntry(std::string_view title) {
    entries.emplace_back(title);
    setMax(static_cast<float>(entries.size() - 1));
    return getNbEntries() - 1;
}

bool COptionMenu::setEntry(int32_t index, std::string_view title) {
    if (index < 0 || index >= getNbEntries()) return false;
    entries[static_cast<size_t>(index)].assign(title);
    setDirty();
    return true;
}

void COptionMenu::removeAllEntry() {
    entries.clear();
    setMax(0.0f);
    setValue(0.0f);
}

const std::string& COptionMenu::getEntry(int32_t index) const {
    if (index < 0 || index >= getNbEntries()) return kNoEntry;
    return entries[static_cast<size_t>(index)];
}

bool COptionMenu::setCurrent(int32_t index) {
    if (index < 0 || index >= getNbEntries()) return false;
    setValue(static_cast<float>(index));
    setDirty();
    return true;
}

int32_t COptionMenu::getCurrentIndex() const noexcept {
    return static_cast<int32_t>(std::lround(getValue()));
}

void COptionMenu::selectEntry(int32_t index) {
    if (!setCurrent(index)) return;
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
}

void COptionMenu::draw(CDrawContext& context) { drawDisplay(context, getCurrentTitle()); }

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    CFrame* frame = getFrame();
    if (frame == nullptr || entries.empty()) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    frame->showPopup(std::make_unique<COptionMenuPopup>(*this, frame->getViewSize()));
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

// --- COptionMenuPopup ---

COptionMenuPopup::COptionMenuPopup(COptionMenu& m, const CRect& frameSize) : CPopupView(CRect{}), menu(m) {
    const int32_t count = menu.getNbEntries();
    rows = menu.getNbItemsPerColumn() > 0 ? std::min(menu.getNbItemsPerColumn(), count) : count;
    rows = std::max(rows, 1);
    columns = std::max(1, (count + rows - 1) / rows);
    CCoord widest = 0;
    for (int32_t i = 0; i < count; ++i) widest = std::max(widest, measureString(menu.getFont(), menu.getEntry(i)));
    columnWidth = std::ceil(kTickWidth + widest + kRightPadding);

    const CCoord width = columns * columnWidth + 2 * kBorder;
    const CCoord height = rows * rowHeight(menu.getFont()) + 2 * kBorder;
    const CRect& anchor = menu.getViewSize();
    CCoord top = anchor.bottom;
    if (top + height > frameSize.bottom) top = anchor.top - height;
    top = std::clamp(top, frameSize.top, std::max(frameSize.top, frameSize.bottom - height));
    const CCoord left = std::clamp(anchor.left, frameSize.left, std::max(frameSize.left, frameSize.right - width));
    setViewSize({left, top, left + width, top + height}, false);
    hover = menu.getCurrentIndex();
}

CRect COptionMenuPopup::entryRect(int32_t index) const {
    if (index < 0 || index >= menu.getNbEntries()) return {};
    const CRect& size = getViewSize();
    const CCoord height = rowHeight(menu.getFont());
    const CCoord left = size.left + kBorder + (index / rows) * columnWidth;
    const CCoord top = size.top + kBorder + (index % rows) * height;
    return {left, top, left + columnWidth, top + height};
}

int32_t COptionMenuPopup::entryAt(const CPoint& where) const {
    for (int32_t i = 0; i < menu.getNbEntries(); ++i)
        if (entryRect(i).pointInside(where)) return i;
    return -1;
}

void COptionMenuPopup::draw(CDrawContext& context) {
    const CRect& size = getViewSize();
    context.setFillColor(kPopupBack);
    context.setFrameColor(kPopupLine);
    context.setLineWidth(kBorder);
    context.drawRect(size, kDrawFilledAndStroked);
    for (int32_t c = 1; c < columns; ++c) {
        const CCoord x = size.left + kBorder + c * columnWidth - 0.5;
        context.drawLine({x, size.top + kBorder}, {x, size.bottom - kBorder});
    }
    context.setFont(menu.getFont());
    const int32_t current = menu.getCurrentIndex();
    for (int32_t i = 0; i < menu.getNbEntries(); ++i) {
        const CRect row = entryRect(i);
        const bool highlighted = i == hover;
        if (highlighted) {
            context.setFillColor(kHoverBack);
            context.drawRect(row, kDrawFilled);
        }
        const CColor ink = highlighted ? kHoverText : kPopupText;
        if (i == current) {
            // A tick drawn as two strokes, independent of the font's glyphs.
            const CPoint mid{row.left + kTickWidth / 2, row.getCenter().y};
            context.setFrameColor(ink);
            context.setLineWidth(2);
            context.drawLine({mid.x - 4, mid.y}, {mid.x - 1, mid.y + 3});
            context.drawLine({mid.x - 1, mid.y + 3}, {mid.x + 4, mid.y - 4});
        }
        context.setFontColor(ink);
        context.drawString(menu.getEntry(i), {row.left + kTickWidth, row.top, row.right, row.bottom}, kLeftText);
    }
}

void COptionMenuPopup::setHover(int32_t index) {
    if (index == hover) return;
    CFrame* frame = getFrame();
    if (frame && hover >= 0) frame->invalidRect(entryRect(hover));
    hover = index;
    if (frame && hover >= 0) frame->invalidRect(entryRect(hover));
}

CMouseEventResult COptionMenuPopup::onMouseDown(CPoint& where, const CButtonState& buttons) {
    const int32_t index = entryAt(where);
    if (index >= 0 && (buttons & kLButton)) menu.selectEntry(index);
    else if (getViewSize().pointInside(where) && (buttons & kLButton)) return kMouseEventHandled;
    finish();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult COptionMenuPopup::onMouseMoved(CPoint& where, const CButtonState&) {
    setHover(entryAt(where));
    return kMouseEventHandled;
}

int32_t COptionMenuPopup::onKeyDown(const VstKeyCode& key) {
    const int32_t count = menu.getNbEntries();
    switch (key.virt) {
    case kKeyEscape: finish(); return 1;
    case kKeyReturn:
    case kKeyEnter:
        if (hover >= 0) menu.selectEntry(hover);
        finish();
        return 1;
    case kKeyUp: setHover(hover <= 0 ? 0 : hover - 1); return 1;
    case kKeyDown: setHover(std::min(count - 1, hover + 1)); return 1;
    default: return 1;  // a popup keeps the keyboard while it is open
    }
}

}  // namespace orv
