// The window's root: owns the views, routes mouse and keys, redraws what is dirty.
#pragma once

#include "toolkit/control.h"
#include "toolkit/platform.h"
#include "toolkit/view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orv {

class CDrawContext;

// What the frame tells the editor that owns it: gesture brackets of its controls by tag.
class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;
    // UI thread.
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
};

// A view shown above everything else that takes every mouse and key event while it is open
// (menus). It asks to be closed with finish(); the frame then removes it.
class CPopupView : public CView {
public:
    using CView::CView;
    bool isFinished() const noexcept { return finished; }

protected:
    void finish() noexcept { finished = true; }

private:
    bool finished = false;
};

class CFrame {
public:
    // The frame covers size, takes the platform and announces itself to it.
    CFrame(const CRect& size, std::unique_ptr<IPlatformFrame> platform, VSTGUIEditorInterface* editor = nullptr);
    // Releases every view, then the platform.
    virtual ~CFrame();
    CFrame(const CFrame&) = delete;
    CFrame& operator=(const CFrame&) = delete;

    // UI thread. Takes the view; later views draw over earlier ones.
    template <class View>
    View* addView(std::unique_ptr<View> view) {
        View* raw = view.get();
        adopt(std::move(view));
        return raw;
    }
    // UI thread. Destroys the view.
    void removeView(CView* view);
    void removeAll();
    size_t getNbViews() const noexcept { return views.size(); }
    CView* getView(size_t index) const { return index < views.size() ? views[index].get() : nullptr; }
    // The topmost view whose rectangle holds where.
    CView* getViewAt(const CPoint& where) const;

    void setBackground(std::shared_ptr<CBitmap> bitmap);
    CBitmap* getBackground() const noexcept { return background.get(); }
    // Shown where no background bitmap covers the frame.
    void setBackgroundColor(CColor c) noexcept { backgroundColor = c; }

    // UI thread: redraws every view marked dirty (the whole window when the frame is).
    virtual void idle();
    // UI thread: paints rect now onto the platform's surface.
    void drawRect(const CRect& rect);
    // UI thread: asks the window for a paint of rect / of everything.
    void invalidRect(const CRect& rect);
    void invalid() { invalidRect(frameSize); }
    // Any thread.
    void setDirty(bool dirty = true) noexcept { frameDirty.store(dirty, std::memory_order_relaxed); }
    bool isDirty() const noexcept { return frameDirty.load(std::memory_order_relaxed); }

    // UI thread; window coordinates. A view that answers kMouseEventHandled to a mouse-down
    // keeps the mouse until the next mouse-up.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    // The pointer left the window.
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, float distance, const CButtonState& buttons);
    // UI thread: keys go to the popup, else to the focus view. 1 when used, -1 when not.
    int32_t onKeyDown(const VstKeyCode& key);
    int32_t onKeyUp(const VstKeyCode& key);

    // UI thread. The previous focus view is told first; null clears the focus.
    void setFocusView(CView* view);
    CView* getFocusView() const noexcept { return focusView; }

    // UI thread: shows popup above everything until it finishes.
    void showPopup(std::unique_ptr<CPopupView> popup);
    CPopupView* getPopup() const noexcept { return popupView.get(); }
    void closePopup();

    // UI thread: a timer of the window; release it before the frame.
    std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs, std::function<void()> fire);

    IPlatformFrame& getPlatform() const noexcept { return *platform; }
    VSTGUIEditorInterface* getEditor() const noexcept { return editor; }
    const CRect& getViewSize() const noexcept { return frameSize; }

protected:
    // Inside a paint clipped to rect: the background, then every view that overlaps rect.
    virtual void drawContents(CDrawContext& context, const CRect& rect);
    void drawView(CDrawContext& context, CView& view);
    // Sends entered / exited as the pointer moves between views.
    void trackMouseOver(CPoint& where, const CButtonState& buttons);

private:
    void adopt(std::unique_ptr<CView> view);
    void forget(CView* view);
    void closePopupIfFinished();

    CRect frameSize;
    std::unique_ptr<IPlatformFrame> platform;
    VSTGUIEditorInterface* editor;
    std::vector<std::unique_ptr<CView>> views;
    std::shared_ptr<CBitmap> background;
    CColor backgroundColor = kBlackCColor;
    std::atomic<bool> frameDirty{false};
    CView* focusView = nullptr;
    CView* mouseDownView = nullptr;
    CView* mouseOverView = nullptr;
    std::unique_ptr<CPopupView> popupView;
};

}  // namespace orv
