// Mouse buttons, modifiers and keys as the controls receive them.
#pragma once

#include <cstdint>

namespace orv {

// Mouse button and modifier mask of one event.
using CButtonState = int32_t;
inline constexpr CButtonState kLButton = 1 << 1;
inline constexpr CButtonState kMButton = 1 << 2;
inline constexpr CButtonState kRButton = 1 << 3;
inline constexpr CButtonState kShift = 1 << 4;
inline constexpr CButtonState kControl = 1 << 5;
inline constexpr CButtonState kAlt = 1 << 6;
inline constexpr CButtonState kDoubleClick = 1 << 10;

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

// Virtual key numbers as the host sends them with effEditKeyDown / effEditKeyUp.
enum VirtualKey : uint8_t {
    kKeyNone = 0,
    kKeyBack = 1,
    kKeyTab = 2,
    kKeyReturn = 4,
    kKeyEscape = 6,
    kKeySpace = 7,
    kKeyEnd = 9,
    kKeyHome = 10,
    kKeyLeft = 11,
    kKeyUp = 12,
    kKeyRight = 13,
    kKeyDown = 14,
    kKeyEnter = 19,
    kKeyDelete = 22,
};

// Key modifier bits as the host sends them.
inline constexpr uint8_t kModifierShift = 1 << 0;
inline constexpr uint8_t kModifierAlternate = 1 << 1;
inline constexpr uint8_t kModifierCommand = 1 << 2;
inline constexpr uint8_t kModifierControl = 1 << 3;

struct VstKeyCode {
    int32_t character = 0;  // ASCII character, 0 for keys without one
    uint8_t virt = kKeyNone;
    uint8_t modifier = 0;
};

}  // namespace orv
