// A control that shows one line of text: font, colours, alignment and the text styles.
#pragma once

#include "toolkit/control.h"
#include "toolkit/draw_context.h"
#include "toolkit/font.h"

#include <string_view>

namespace orv {

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CControlListener* listener, int32_t tag, std::shared_ptr<CBitmap> background,
                  int32_t style);

    void setFont(const CFontDesc& f) noexcept { font = f; }
    const CFontDesc& getFont() const noexcept { return font; }
    void setFontColor(CColor c) noexcept { fontColor = c; }
    void setBackColor(CColor c) noexcept { backColor = c; }
    void setFrameColor(CColor c) noexcept { frameColor = c; }
    CColor getFontColor() const noexcept { return fontColor; }
    CColor getBackColor() const noexcept { return backColor; }
    CColor getFrameColor() const noexcept { return frameColor; }
    void setHoriAlign(CHoriTxtAlign a) noexcept { align = a; }
    CHoriTxtAlign getHoriAlign() const noexcept { return align; }
    void setStyle(int32_t s) noexcept { textStyle = s; }
    int32_t getStyle() const noexcept { return textStyle; }

protected:
    // Background bitmap (or the back colour unless transparent), text, then the frame
    // line, each as the style allows.
    void drawDisplay(CDrawContext& context, std::string_view text);

private:
    CFontDesc font = kNormalFontSmaller;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CHoriTxtAlign align = kCenterText;
    int32_t textStyle;
};

}  // namespace orv
