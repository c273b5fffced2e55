// The frame's window on an X11 desktop: a child of the host's window on a display
// connection of its own. Nothing runs by itself: events, paints and timers are all handled
// in pump(), which the editor's idle calls on the host's UI thread.
#pragma once

#include "toolkit/platform.h"
#include "toolkit/x11_input.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace orv {

class X11Platform : public IPlatformFrame {
public:
    // Milliseconds on a steady clock; tests give their own.
    using Clock = std::function<uint64_t()>;
    struct TimerEntry;

    // UI thread. A window of size inside the X11 window parent (its id as the host passes
    // it); null when parent is null or no display can be opened.
    static std::unique_ptr<X11Platform> open(void* parent, const CRect& size, Clock clock = {});
    // UI thread. Releases the window, its surface and cursors, and the display connection.
    ~X11Platform() override;
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    // UI thread, all of them.
    void attach(CFrame* frame) override { attachedFrame = frame; }
    cairo_surface_t* drawSurface() override { return surface; }
    void invalidRect(const CRect& rect) override;
    std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs, std::function<void()> fire) override;
    void setCursor(CCursorType cursor) override;
    void setTextEntry(bool active) override;
    void setPopupGrab(bool active) override;
    IFileDialog& fileDialog() override;
    void pump() override;
    void flush() override;

    // UI thread. For hosts that read the _XEventProc property of the window and hand its X
    // events to this function themselves; events of windows it does not know are ignored.
    static void handleXEvent(XEvent* event);

    unsigned long window() const noexcept { return childWindow; }
    Display* display() const noexcept { return connection; }

private:
    X11Platform(Display* display, unsigned long parent, const CRect& size, Clock clock);
    void publishEventProc();
    void dispatch(const XEvent& event);
    void fireDueTimers();
    void paintPending();

    Display* connection;
    unsigned long childWindow = 0;
    cairo_surface_t* surface = nullptr;
    Clock clock;
    CFrame* attachedFrame = nullptr;
    std::vector<CRect> pending;
    std::vector<std::weak_ptr<TimerEntry>> timers;
    unsigned long cursors[3] = {0, 0, 0};
    DoubleClickDetector doubleClicks;
    bool grabbing = false;
};

// The factory AEffGUIEditor takes: an X11 window, or null when none can be made (open then
// fails cleanly).
std::unique_ptr<IPlatformFrame> makeX11Platform(void* parent, const CRect& size);

}  // namespace orv
