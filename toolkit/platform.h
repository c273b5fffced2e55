// What the toolkit needs of the window system. One implementation draws into an X11 child
// window, another into an image in memory (tests and screenshots).
#pragma once

#include "toolkit/geometry.h"

#include <cstdint>
#include <functional>
#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace orv {

class CFrame;
class IFileDialog;

enum CCursorType { kCursorDefault = 0, kCursorIBeam, kCursorHand };

// A running periodic timer; destroying it stops it.
class IPlatformTimer {
public:
    virtual ~IPlatformTimer() = default;
};

// Every call comes from the UI thread.
class IPlatformFrame {
public:
    virtual ~IPlatformFrame() = default;

    // The frame that receives this window's events and paints; null when it goes away.
    virtual void attach(CFrame* frame) = 0;
    // Where the frame paints; null while there is nothing to paint on.
    virtual cairo_surface_t* drawSurface() = 0;
    // Asks for a paint of rect at the window's next opportunity (never paints at once).
    virtual void invalidRect(const CRect& rect) = 0;
    // Calls fire every periodMs until the returned timer is destroyed, which must happen
    // before this platform goes.
    virtual std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs, std::function<void()> fire) = 0;
    virtual void setCursor(CCursorType cursor) = 0;
    // A text field is being edited: the window wants the keyboard.
    virtual void setTextEntry(bool active) = 0;
    // A popup is open: the window keeps the pointer, so a click anywhere reaches the popup.
    virtual void setPopupGrab(bool active) = 0;
    // The file dialog that selectors opened over this window run.
    virtual IFileDialog& fileDialog() = 0;
    // From the editor's idle, before the frame redraws: handles what the window system
    // delivered, fires the timers that fell due and paints what was asked for. Timers fire
    // inside the editor's idle, so they must not call it.
    virtual void pump() {}
    // From the editor's idle, after the frame redrew: sends what was drawn to the screen.
    virtual void flush() {}
};

}  // namespace orv
