#include "toolkit/frame.h"

#include "toolkit/bitmap.h"
#include "toolkit/draw_context.h"

#include <cairo.h>

#include <algorithm>

namespace orv {

CFrame::CFrame(const CRect& rect, std::unique_ptr<IPlatformFrame> p, VSTGUIEditorInterface* e)
    : frameSize(rect), platform(std::move(p)), editor(e) {
    platform->attach(this);
    invalid();
}

CFrame::~CFrame() {
    closePopup();
    removeAll();
    platform->attach(nullptr);
}

void CFrame::adopt(std::unique_ptr<CView> view) {
    if (!view) return;
    view->attached(this);
    view->setDirty();
    views.push_back(std::move(view));
}

void CFrame::forget(CView* view) {
    if (focusView == view) focusView = nullptr;
    if (mouseDownView == view) mouseDownView = nullptr;
    if (mouseOverView == view) mouseOverView = nullptr;
    view->removed();
}

void CFrame::removeView(CView* view) {
    auto found = std::find_if(views.begin(), views.end(), [view](const auto& v) { return v.get() == view; });
    if (found == views.end()) return;
    invalidRect(view->getViewSize());
    forget(view);
    views.erase(found);
}

void CFrame::removeAll() {
    // Last added first, so views that draw over others go before them.
    while (!views.empty()) {
        forget(views.back().get());
        views.pop_back();
    }
}

CView* CFrame::getViewAt(const CPoint& where) const {
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if ((*it)->getViewSize().pointInside(where)) return it->get();
    return nullptr;
}

void CFrame::setBackground(std::shared_ptr<CBitmap> bitmap) {
    background = std::move(bitmap);
    setDirty();
}

void CFrame::idle() {
    // Marks are cleared before drawing, so a value that changes while the view draws makes
    // it dirty again for the next idle instead of being lost.
    if (frameDirty.exchange(false, std::memory_order_relaxed)) {
        for (auto& view : views) view->takeDirty();
        drawRect(frameSize);
        return;
    }
    std::vector<CView*> dirty;
    for (auto& view : views)
        if (view->takeDirty()) dirty.push_back(view.get());
    for (CView* view : dirty) drawRect(view->getViewSize());
}

void CFrame::drawRect(const CRect& rect) {
    const CRect area = rect.intersected(frameSize);
    cairo_surface_t* surface = platform->drawSurface();
    if (area.isEmpty() || surface == nullptr) return;
    cairo_t* cr = cairo_create(surface);
    {
        CDrawContext context(cr);
        context.clipRect(area);
        // Composed off-window first, so the window never shows a half-drawn state.
        cairo_push_group(cr);
        drawContents(context, area);
        if (popupView && popupView->getViewSize().rectOverlap(area)) drawView(context, *popupView);
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
}

void CFrame::drawContents(CDrawContext& context, const CRect& rect) {
    context.setFillColor(backgroundColor);
    context.drawRect(rect, kDrawFilled);
    if (background) context.drawBitmap(*background, frameSize);
    for (auto& view : views)
        if (view->getViewSize().rectOverlap(rect)) drawView(context, *view);
}

void CFrame::drawView(CDrawContext& context, CView& view) {
    context.saveState();
    context.clipRect(view.getViewSize());
    view.draw(context);
    context.restoreState();
}

void CFrame::invalidRect(const CRect& rect) {
    const CRect area = rect.intersected(frameSize);
    if (!area.isEmpty()) platform->invalidRect(area);
}

void CFrame::trackMouseOver(CPoint& where, const CButtonState& buttons) {
    CView* over = getViewAt(where);
    if (over == mouseOverView) return;
    if (mouseOverView) mouseOverView->onMouseExited(where, buttons);
    mouseOverView = over;
    if (over) over->onMouseEntered(where, buttons);
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (popupView) {
        const CMouseEventResult result = popupView->onMouseDown(where, buttons);
        closePopupIfFinished();
        return result == kMouseEventNotHandled ? kMouseDownEventHandledButDontNeedMovedOrUpEvents : result;
    }
    if (!mouseDownView) trackMouseOver(where, buttons);
    CView* view = getViewAt(where);
    // A click elsewhere ends the editing of the focus view first.
    if (focusView && focusView != view) setFocusView(nullptr);
    if (!view) return kMouseEventNotHandled;
    const CMouseEventResult result = view->onMouseDown(where, buttons);
    if (result == kMouseEventHandled) mouseDownView = view;
    if ((result == kMouseEventHandled || result == kMouseDownEventHandledButDontNeedMovedOrUpEvents) &&
        view->wantsFocus() && view->getFrame() == this)
        setFocusView(view);
    return result;
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons) {
    if (popupView) {
        popupView->onMouseUp(where, buttons);
        closePopupIfFinished();
        return kMouseEventHandled;
    }
    CView* view = mouseDownView;
    if (!view) return kMouseEventNotHandled;
    mouseDownView = nullptr;
    const CMouseEventResult result = view->onMouseUp(where, buttons);
    trackMouseOver(where, buttons);
    return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (popupView) {
        popupView->onMouseMoved(where, buttons);
        closePopupIfFinished();
        return kMouseEventHandled;
    }
    if (mouseDownView) return mouseDownView->onMouseMoved(where, buttons);
    trackMouseOver(where, buttons);
    return mouseOverView ? mouseOverView->onMouseMoved(where, buttons) : kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseExited(CPoint& where, const CButtonState& buttons) {
    if (mouseOverView && !mouseDownView) {
        CView* over = mouseOverView;
        mouseOverView = nullptr;
        over->onMouseExited(where, buttons);
    }
    return kMouseEventHandled;
}

bool CFrame::onWheel(const CPoint& where, float distance, const CButtonState& buttons) {
    if (popupView) return true;
    CView* view = getViewAt(where);
    return view && view->onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(const VstKeyCode& key) {
    if (popupView) {
        const int32_t used = popupView->onKeyDown(key);
        closePopupIfFinished();
        return used;
    }
    return focusView ? focusView->onKeyDown(key) : -1;
}

int32_t CFrame::onKeyUp(const VstKeyCode& key) {
    if (popupView) return popupView->onKeyUp(key);
    return focusView ? focusView->onKeyUp(key) : -1;
}

void CFrame::setFocusView(CView* view) {
    if (view == focusView) return;
    CView* previous = focusView;
    focusView = nullptr;
    if (previous) previous->looseFocus();
    focusView = view;
    if (view) view->takeFocus();
}

void CFrame::showPopup(std::unique_ptr<CPopupView> popup) {
    closePopup();
    if (!popup) return;
    popupView = std::move(popup);
    popupView->attached(this);
    invalidRect(popupView->getViewSize());
    platform->setPopupGrab(true);
}

void CFrame::closePopup() {
    if (!popupView) return;
    invalidRect(popupView->getViewSize());
    popupView->removed();
    popupView.reset();
    platform->setPopupGrab(false);
}

void CFrame::closePopupIfFinished() {
    if (popupView && popupView->isFinished()) closePopup();
}

std::unique_ptr<IPlatformTimer> CFrame::createTimer(uint32_t periodMs, std::function<void()> fire) {
    return platform->createTimer(periodMs, std::move(fire));
}

}  // namespace orv
