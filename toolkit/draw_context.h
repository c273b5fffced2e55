// The drawing surface a view sees while it draws: colours, lines, rectangles, text, bitmaps.
#pragma once

#include "toolkit/font.h"
#include "toolkit/geometry.h"

#include <string_view>

typedef struct _cairo cairo_t;

namespace orv {

class CBitmap;

enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };
enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

// Wraps a cairo context it does not own; lives for one paint on the UI thread.
class CDrawContext {
public:
    explicit CDrawContext(cairo_t* context);
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    void setFillColor(CColor c) noexcept { fillColor = c; }
    void setFrameColor(CColor c) noexcept { frameColor = c; }
    void setFontColor(CColor c) noexcept { fontColor = c; }
    void setLineWidth(CCoord width) noexcept { lineWidth = width; }
    void setFont(const CFontDesc& f) noexcept { font = f; }
    CColor getFillColor() const noexcept { return fillColor; }
    CColor getFrameColor() const noexcept { return frameColor; }
    CCoord getLineWidth() const noexcept { return lineWidth; }

    // The outline lies inside rect, so a stroked rectangle covers exactly its pixels.
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawLine(const CPoint& from, const CPoint& to);
    // One line of text, vertically centred in rect.
    void drawString(std::string_view text, const CRect& rect, CHoriTxtAlign align = kCenterText);
    CCoord getStringWidth(std::string_view text);
    // Draws the part of bitmap that starts at source over dest (alpha blended).
    void drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& source = {});

    // Clips later drawing to rect until the matching restoreState.
    void saveState();
    void clipRect(const CRect& rect);
    void restoreState();

    cairo_t* native() const noexcept { return cr; }

private:
    void useColor(CColor c);
    void useFont();

    cairo_t* cr;
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kBlackCColor;
    CCoord lineWidth = 1;
    CFontDesc font = kNormalFontSmaller;
};

// Width of text in font, measured without a window.
CCoord measureString(const CFontDesc& font, std::string_view text);

}  // namespace orv
