#include "toolkit/x11_input.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace orv {

CButtonState x11ButtonState(unsigned int state, unsigned int button) noexcept {
    CButtonState buttons = 0;
    if ((state & Button1Mask) != 0 || button == Button1) buttons |= kLButton;
    if ((state & Button2Mask) != 0 || button == Button2) buttons |= kMButton;
    if ((state & Button3Mask) != 0 || button == Button3) buttons |= kRButton;
    if ((state & ShiftMask) != 0) buttons |= kShift;
    if ((state & ControlMask) != 0) buttons |= kControl;
    if ((state & Mod1Mask) != 0) buttons |= kAlt;
    return buttons;
}

uint8_t x11KeyModifiers(unsigned int state) noexcept {
    uint8_t modifiers = 0;
    if ((state & ShiftMask) != 0) modifiers |= kModifierShift;
    if ((state & ControlMask) != 0) modifiers |= kModifierControl;
    if ((state & Mod1Mask) != 0) modifiers |= kModifierAlternate;
    return modifiers;
}

namespace {
VirtualKey virtualKeyFor(unsigned long keysym) noexcept {
    switch (keysym) {
        case XK_BackSpace: return kKeyBack;
        case XK_Tab: return kKeyTab;
        case XK_Return: return kKeyReturn;
        case XK_KP_Enter: return kKeyEnter;
        case XK_Escape: return kKeyEscape;
        case XK_space: return kKeySpace;
        case XK_End: case XK_KP_End: return kKeyEnd;
        case XK_Home: case XK_KP_Home: return kKeyHome;
        case XK_Left: case XK_KP_Left: return kKeyLeft;
        case XK_Up: case XK_KP_Up: return kKeyUp;
        case XK_Right: case XK_KP_Right: return kKeyRight;
        case XK_Down: case XK_KP_Down: return kKeyDown;
        case XK_Delete: case XK_KP_Delete: return kKeyDelete;
        default: return kKeyNone;
    }
}
}  // namespace

VstKeyCode x11KeyCode(unsigned long keysym, char character, unsigned int state) noexcept {
    VstKeyCode key;
    key.virt = virtualKeyFor(keysym);
    // Only printable ASCII travels as a character; control codes are keys or nothing.
    const auto c = static_cast<unsigned char>(character);
    if (c >= 32 && c < 127) key.character = c;
    key.modifier = x11KeyModifiers(state);
    return key;
}

bool DoubleClickDetector::press(int x, int y, unsigned long timeMs) noexcept {
    const bool isDouble = armed && timeMs - lastTime <= kIntervalMs && std::abs(x - lastX) <= kSlopPixels &&
                          std::abs(y - lastY) <= kSlopPixels;
    armed = !isDouble;
    lastX = x;
    lastY = y;
    lastTime = timeMs;
    return isDouble;
}

}  // namespace orv
