// The base of everything the frame shows: a rectangle that draws and takes mouse and keys.
#pragma once

#include "toolkit/events.h"
#include "toolkit/geometry.h"

#include <atomic>
#include <memory>

namespace orv {

class CBitmap;
class CDrawContext;
class CFrame;

class CView {
public:
    explicit CView(const CRect& size);
    virtual ~CView();
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    // UI thread, inside a paint; the context is clipped to this view. Draws the background.
    virtual void draw(CDrawContext& context);

    // UI thread. Points are window coordinates.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    // distance in wheel notches, positive away from the user; true when used.
    virtual bool onWheel(const CPoint& where, float distance, const CButtonState& buttons);
    // UI thread. 1 when the key was used, -1 when not.
    virtual int32_t onKeyDown(const VstKeyCode& key);
    virtual int32_t onKeyUp(const VstKeyCode& key);

    // Whether a click makes this view the one that receives keys.
    virtual bool wantsFocus() const { return false; }
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // Any thread: marks the view for the frame's next idle, which redraws it. Never draws.
    void setDirty(bool dirty = true) noexcept { dirtyMark.store(dirty, std::memory_order_relaxed); }
    bool isDirty() const noexcept { return dirtyMark.load(std::memory_order_relaxed); }
    // UI thread: clears the mark and tells whether it was set.
    bool takeDirty() noexcept { return dirtyMark.exchange(false, std::memory_order_relaxed); }

    // UI thread: asks the window to repaint this view at its next paint.
    void invalid();

    const CRect& getViewSize() const noexcept { return viewSize; }
    // UI thread.
    void setViewSize(const CRect& rect, bool invalidate = true);

    void setBackground(std::shared_ptr<CBitmap> bitmap);
    CBitmap* getBackground() const noexcept { return backgroundBitmap.get(); }
    // The point of the background drawn at the view's top left corner.
    void setBackOffset(const CPoint& offset) noexcept { backOffset = offset; }
    CPoint getBackOffset() const noexcept { return backOffset; }

    CFrame* getFrame() const noexcept { return owningFrame; }

protected:
    void drawBackground(CDrawContext& context);
    // Called by the frame when it takes or lets go of the view; overrides call the base last.
    virtual void attached(CFrame* owner) { owningFrame = owner; }
    virtual void removed() { owningFrame = nullptr; }

private:
    friend class CFrame;

    CRect viewSize;
    CFrame* owningFrame = nullptr;
    std::atomic<bool> dirtyMark{false};
    std::shared_ptr<CBitmap> backgroundBitmap;
    CPoint backOffset;
};

}  // namespace orv
