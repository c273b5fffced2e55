// A window that exists only in memory: the frame paints into an image that can be read back
// or written as PNG; timers run on a clock the caller advances. For tests and screenshots.
#pragma once

#include "toolkit/platform.h"

#include <memory>
#include <string>
#include <vector>

namespace orv {

class COffscreenPlatform : public IPlatformFrame {
public:
    COffscreenPlatform(int32_t width, int32_t height);
    ~COffscreenPlatform() override;

    void attach(CFrame* frame) override { attachedFrame = frame; }
    cairo_surface_t* drawSurface() override { return image; }
    void invalidRect(const CRect& rect) override { pending.push_back(rect); }
    std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs, std::function<void()> fire) override;
    void setCursor(CCursorType c) override { cursorShown = c; }
    void setTextEntry(bool active) override { textEntry = active; }
    void setPopupGrab(bool active) override { popupGrab = active; }
    // The stand-in given with setFileDialog, else one that cannot open.
    IFileDialog& fileDialog() override;

    // Paints every region asked for since the last paint.
    void paint();
    bool hasPendingPaint() const noexcept { return !pending.empty(); }
    // Moves the clock on by ms and fires every timer that falls due, in time order.
    void advanceClock(uint32_t ms);
    uint64_t now() const noexcept { return clockMs; }

    // The painted pixel at x, y (alpha included); black outside the image.
    CColor pixelAt(int32_t x, int32_t y) const;
    bool writePng(const std::string& path) const;

    CCursorType cursor() const noexcept { return cursorShown; }
    bool textEntryActive() const noexcept { return textEntry; }
    bool popupGrabbed() const noexcept { return popupGrab; }
    // Not owned; null returns to the dialog that cannot open.
    void setFileDialog(IFileDialog* dialog) noexcept { standIn = dialog; }

    struct TimerEntry;

private:
    cairo_surface_t* image;
    CFrame* attachedFrame = nullptr;
    std::vector<CRect> pending;
    std::vector<std::weak_ptr<TimerEntry>> timers;
    uint64_t clockMs = 0;
    CCursorType cursorShown = kCursorDefault;
    bool textEntry = false;
    bool popupGrab = false;
    IFileDialog* standIn = nullptr;
};

}  // namespace orv
