#include "toolkit/x11_platform.h"

#include "toolkit/file_selector.h"
#include "toolkit/frame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>

namespace orv {

struct X11Platform::TimerEntry {
    uint32_t period;
    uint64_t due;
    std::function<void()> fire;
};

namespace {
class X11Timer : public IPlatformTimer {
public:
    explicit X11Timer(std::shared_ptr<X11Platform::TimerEntry> e) : entry(std::move(e)) {}

private:
    std::shared_ptr<X11Platform::TimerEntry> entry;
};

// The open windows, so events handed in through _XEventProc find theirs. UI thread only.
std::vector<X11Platform*>& liveWindows() {
    static std::vector<X11Platform*> windows;
    return windows;
}

uint64_t steadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask;

unsigned int buttonMask(unsigned int button) noexcept {
    return button >= Button1 && button <= Button5 ? Button1Mask << (button - Button1) : 0;
}
}  // namespace

std::unique_ptr<X11Platform> X11Platform::open(void* parent, const CRect& size, Clock clock) {
    if (parent == nullptr) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    return std::unique_ptr<X11Platform>(new X11Platform(display, reinterpret_cast<uintptr_t>(parent), size,
                                                        clock ? std::move(clock) : Clock(steadyMilliseconds)));
}

X11Platform::X11Platform(Display* display, unsigned long parent, const CRect& size, Clock c)
    : connection(display), clock(std::move(c)) {
    const auto width = static_cast<unsigned int>(std::max<CCoord>(size.getWidth(), 1));
    const auto height = static_cast<unsigned int>(std::max<CCoord>(size.getHeight(), 1));
    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    // No background: the frame paints every pixel, so the server need not clear first.
    attributes.background_pixmap = None;
    childWindow = XCreateWindow(connection, parent, 0, 0, width, height, 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
    XWindowAttributes actual{};
    XGetWindowAttributes(connection, childWindow, &actual);
    surface = cairo_xlib_surface_create(connection, childWindow, actual.visual, static_cast<int>(width),
                                        static_cast<int>(height));
    publishEventProc();
    XMapWindow(connection, childWindow);
    XFlush(connection);
    liveWindows().push_back(this);
}

X11Platform::~X11Platform() {
    std::erase(liveWindows(), this);
    if (grabbing) XUngrabPointer(connection, CurrentTime);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    for (unsigned long cursor : cursors)
        if (cursor != 0) XFreeCursor(connection, cursor);
    XDestroyWindow(connection, childWindow);
    XCloseDisplay(connection);
}

void X11Platform::publishEventProc() {
    // Hosts that read this property rebuild the address from two 32-bit halves, low first:
    // a format-32 property carries 32 bits per item even where long is 64 bits wide.
    const auto address = reinterpret_cast<uintptr_t>(&X11Platform::handleXEvent);
    long halves[2] = {static_cast<long>(address & 0xFFFFFFFFu), static_cast<long>(address >> 32)};
    const Atom atom = XInternAtom(connection, "_XEventProc", False);
    XChangeProperty(connection, childWindow, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(halves), 2);
}

void X11Platform::invalidRect(const CRect& rect) { pending.push_back(rect); }

std::unique_ptr<IPlatformTimer> X11Platform::createTimer(uint32_t periodMs, std::function<void()> fire) {
    const uint32_t period = std::max<uint32_t>(periodMs, 1);
    auto entry = std::make_shared<TimerEntry>(TimerEntry{period, clock() + period, std::move(fire)});
    timers.push_back(entry);
    return std::make_unique<X11Timer>(entry);
}

void X11Platform::setCursor(CCursorType cursor) {
    static constexpr unsigned int kShapes[] = {XC_left_ptr, XC_xterm, XC_hand2};
    const auto index = static_cast<size_t>(cursor);
    if (index >= std::size(kShapes)) return;
    if (cursors[index] == 0) cursors[index] = XCreateFontCursor(connection, kShapes[index]);
    XDefineCursor(connection, childWindow, cursors[index]);
}

void X11Platform::setTextEntry(bool active) {
    if (!active) return;
    // Focusing a window that is not shown is an X error, so only ask when it is.
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection, childWindow, &attributes) != 0 && attributes.map_state == IsViewable)
        XSetInputFocus(connection, childWindow, RevertToParent, CurrentTime);
}

void X11Platform::setPopupGrab(bool active) {
    if (active && !grabbing) {
        grabbing = XGrabPointer(connection, childWindow, False,
                                ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                                GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    } else if (!active && grabbing) {
        XUngrabPointer(connection, CurrentTime);
        grabbing = false;
    }
}

IFileDialog& X11Platform::fileDialog() { return desktopFileDialog(); }

void X11Platform::pump() {
    while (XPending(connection) > 0) {
        XEvent event;
        XNextEvent(connection, &event);
        dispatch(event);
    }
    fireDueTimers();
    paintPending();
}

void X11Platform::flush() { XFlush(connection); }

void X11Platform::handleXEvent(XEvent* event) {
    if (event == nullptr) return;
    for (X11Platform* platform : liveWindows())
        if (platform->childWindow == event->xany.window) return platform->dispatch(*event);
}

void X11Platform::dispatch(const XEvent& event) {
    if (event.xany.window != childWindow || attachedFrame == nullptr) return;
    switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            pending.push_back({CCoord(e.x), CCoord(e.y), CCoord(e.x + e.width), CCoord(e.y + e.height)});
            break;
        }
        case ButtonPress: {
            const XButtonEvent& e = event.xbutton;
            CPoint where{CCoord(e.x), CCoord(e.y)};
            if (e.button == Button4 || e.button == Button5) {
                attachedFrame->onWheel(where, e.button == Button4 ? 1.0f : -1.0f, x11ButtonState(e.state, 0));
                break;
            }
            if (e.button > Button3) break;
            CButtonState buttons = x11ButtonState(e.state, e.button);
            if (e.button == Button1 && doubleClicks.press(e.x, e.y, e.time)) buttons |= kDoubleClick;
            attachedFrame->onMouseDown(where, buttons);
            break;
        }
        case ButtonRelease: {
            const XButtonEvent& e = event.xbutton;
            if (e.button > Button3) break;
            CPoint where{CCoord(e.x), CCoord(e.y)};
            // The state is from before the release; the controls want what is still held.
            attachedFrame->onMouseUp(where, x11ButtonState(e.state & ~buttonMask(e.button), 0));
            break;
        }
        case MotionNotify: {
            const XMotionEvent& e = event.xmotion;
            CPoint where{CCoord(e.x), CCoord(e.y)};
            attachedFrame->onMouseMoved(where, x11ButtonState(e.state, 0));
            break;
        }
        case EnterNotify: {
            const XCrossingEvent& e = event.xcrossing;
            CPoint where{CCoord(e.x), CCoord(e.y)};
            attachedFrame->onMouseMoved(where, x11ButtonState(e.state, 0));
            break;
        }
        case LeaveNotify: {
            const XCrossingEvent& e = event.xcrossing;
            // While a popup holds the pointer, leaving the window is no exit.
            if (grabbing || e.mode != NotifyNormal) break;
            CPoint where{CCoord(e.x), CCoord(e.y)};
            attachedFrame->onMouseExited(where, x11ButtonState(e.state, 0));
            break;
        }
        case KeyPress:
        case KeyRelease: {
            XKeyEvent e = event.xkey;
            char text[8] = {};
            KeySym keysym = NoSymbol;
            const int length = XLookupString(&e, text, sizeof text, &keysym, nullptr);
            const VstKeyCode key = x11KeyCode(keysym, length == 1 ? text[0] : '\0', e.state);
            if (key.character == 0 && key.virt == kKeyNone) break;
            if (event.type == KeyPress)
                attachedFrame->onKeyDown(key);
            else
                attachedFrame->onKeyUp(key);
            break;
        }
        default:
            break;
    }
}

void X11Platform::fireDueTimers() {
    std::erase_if(timers, [](const auto& t) { return t.expired(); });
    const uint64_t now = clock();
    // A copy: timers may start or stop others while they fire.
    const std::vector<std::weak_ptr<TimerEntry>> due = timers;
    for (const auto& weak : due) {
        auto timer = weak.lock();
        if (!timer || timer->due > now) continue;
        // After a stall the timer fires once, not once for every period it missed.
        timer->due += timer->period;
        if (timer->due <= now) timer->due = now + timer->period;
        timer->fire();
    }
}

void X11Platform::paintPending() {
    std::vector<CRect> regions;
    regions.swap(pending);
    if (attachedFrame == nullptr) return;
    for (const CRect& r : regions) attachedFrame->drawRect(r);
}

std::unique_ptr<IPlatformFrame> makeX11Platform(void* parent, const CRect& size) {
    return X11Platform::open(parent, size);
}

}  // namespace orv
