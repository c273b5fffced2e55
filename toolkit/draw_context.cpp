#include "toolkit/draw_context.h"

#include "toolkit/bitmap.h"

#include <cairo.h>

#include <cmath>
#include <string>

namespace orv {

CDrawContext::CDrawContext(cairo_t* context) : cr(context) {}

void CDrawContext::useColor(CColor c) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void CDrawContext::useFont() {
    cairo_set_font_face(cr, fontFaceFor(font));
    cairo_set_font_size(cr, font.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
    if (rect.isEmpty()) return;
    if (style != kDrawStroked) {
        useColor(fillColor);
        cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
        cairo_fill(cr);
    }
    if (style != kDrawFilled && lineWidth > 0) {
        const CCoord half = lineWidth / 2;
        useColor(frameColor);
        cairo_set_line_width(cr, lineWidth);
        cairo_rectangle(cr, rect.left + half, rect.top + half, rect.getWidth() - lineWidth,
                        rect.getHeight() - lineWidth);
        cairo_stroke(cr);
    }
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
    useColor(frameColor);
    cairo_set_line_width(cr, lineWidth);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_stroke(cr);
}

void CDrawContext::drawString(std::string_view text, const CRect& rect, CHoriTxtAlign align) {
    if (text.empty()) return;
    const std::string terminated(text);
    useFont();
    cairo_font_extents_t font_extents;
    cairo_font_extents(cr, &font_extents);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, terminated.c_str(), &extents);
    CCoord x = rect.left;
    if (align == kCenterText) x = rect.left + (rect.getWidth() - extents.x_advance) / 2;
    else if (align == kRightText) x = rect.right - extents.x_advance;
    const CCoord baseline =
        rect.top + (rect.getHeight() - (font_extents.ascent + font_extents.descent)) / 2 + font_extents.ascent;
    saveState();
    clipRect(rect);
    useColor(fontColor);
    cairo_move_to(cr, std::round(x), std::round(baseline));
    cairo_show_text(cr, terminated.c_str());
    restoreState();
}

CCoord CDrawContext::getStringWidth(std::string_view text) {
    const std::string terminated(text);
    useFont();
    cairo_text_extents_t extents;
    cairo_text_extents(cr, terminated.c_str(), &extents);
    return extents.x_advance;
}

void CDrawContext::drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& source) {
    if (dest.isEmpty()) return;
    cairo_set_source_surface(cr, bitmap.surface(), dest.left - source.x, dest.top - source.y);
    cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
    cairo_fill(cr);
}

void CDrawContext::saveState() { cairo_save(cr); }

void CDrawContext::clipRect(const CRect& rect) {
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cr);
}

void CDrawContext::restoreState() { cairo_restore(cr); }

CCoord measureString(const CFontDesc& font, std::string_view text) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    CCoord width = 0;
    {
        CDrawContext context(cr);
        context.setFont(font);
        width = context.getStringWidth(text);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return width;
}

}  // namespace orv
