#include "toolkit/param_display.h"

namespace orv {

CParamDisplay::CParamDisplay(const CRect& size, CControlListener* l, int32_t tag,
                             std::shared_ptr<CBitmap> background, int32_t s)
    : CControl(size, l, tag, std::move(background)), textStyle(s) {}

void CParamDisplay::drawDisplay(CDrawContext& context, std::string_view text) {
    if (textStyle & kNoDrawStyle) return;
    if (getBackground()) {
        drawBackground(context);
    } else if (!(textStyle & kTransparentStyle)) {
        context.setFillColor(backColor);
        context.drawRect(getViewSize(), kDrawFilled);
    }
    if (!(textStyle & kNoTextStyle)) {
        context.setFont(font);
        context.setFontColor(fontColor);
        context.drawString(text, getViewSize(), align);
    }
    if (!(textStyle & kNoFrame)) {
        context.setFrameColor(frameColor);
        context.setLineWidth(1);
        context.drawRect(getViewSize(), kDrawStroked);
    }
}

}  // namespace orv
