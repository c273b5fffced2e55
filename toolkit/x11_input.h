// How X11 input reads as the toolkit's buttons, modifiers and keys. Plain numbers in, so
// the mapping needs no X connection (the values are Xlib's state masks and keysyms).
#pragma once

#include "toolkit/events.h"

#include <cstdint>

namespace orv {

// Any thread, like the other two. The mouse buttons held and the modifiers of an X event's state field, plus the button
// the event itself is about (1 left, 2 middle, 3 right; 0 for none).
CButtonState x11ButtonState(unsigned int state, unsigned int button) noexcept;
// The host-style modifier bits of an X event's state field.
uint8_t x11KeyModifiers(unsigned int state) noexcept;
// The key for keysym; character is what the key types (0 when nothing printable).
VstKeyCode x11KeyCode(unsigned long keysym, char character, unsigned int state) noexcept;

// Tells a second press of the left button near the first and soon after it from a new click.
class DoubleClickDetector {
public:
    static constexpr unsigned long kIntervalMs = 400;
    static constexpr int kSlopPixels = 4;
    // UI thread. One left-button press at x, y at the X server time timeMs; true when it completes a
    // double click (a third press starts over).
    bool press(int x, int y, unsigned long timeMs) noexcept;

private:
    bool armed = false;
    int lastX = 0;
    int lastY = 0;
    unsigned long lastTime = 0;
};

}  // namespace orv
