#include "toolkit/view.h"

#include "toolkit/bitmap.h"
#include "toolkit/draw_context.h"
#include "toolkit/frame.h"

namespace orv {

CView::CView(const CRect& rect) : viewSize(rect) {}

CView::~CView() = default;

void CView::draw(CDrawContext& context) { drawBackground(context); }

void CView::drawBackground(CDrawContext& context) {
    if (backgroundBitmap) context.drawBitmap(*backgroundBitmap, viewSize, backOffset);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
bool CView::onWheel(const CPoint&, float, const CButtonState&) { return false; }
int32_t CView::onKeyDown(const VstKeyCode&) { return -1; }
int32_t CView::onKeyUp(const VstKeyCode&) { return -1; }

void CView::invalid() {
    if (owningFrame) owningFrame->invalidRect(viewSize);
}

void CView::setViewSize(const CRect& rect, bool invalidate) {
    if (invalidate) invalid();
    viewSize = rect;
    if (invalidate) invalid();
}

void CView::setBackground(std::shared_ptr<CBitmap> bitmap) { backgroundBitmap = std::move(bitmap); }

}  // namespace orv
