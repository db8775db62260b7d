#pragma once

#include <cstddef>
#include <cstdint>

namespace nimba {

// One step of a macro: the same four bytes in a macro record, a macro file and a
// button slot of a profile.
struct MacroAction {
    uint8_t code;       // key code (HID usage, or 240..248 for the extra keys and mouse buttons)
    uint8_t kind;       // 1 = press, 2 = release
    uint16_t delay_ms;  // pause after this step
};
static_assert(sizeof(MacroAction) == 4);
static_assert(offsetof(MacroAction, code) == 0);
static_assert(offsetof(MacroAction, kind) == 1);
static_assert(offsetof(MacroAction, delay_ms) == 2);

inline constexpr uint8_t kMacroPress = 1;
inline constexpr uint8_t kMacroRelease = 2;
inline constexpr int kMaxMacroActions = 46;

// Our key codes for the mouse's own buttons, after the keyboard's usages.
inline constexpr uint8_t kLeftButtonCode = 241;
inline constexpr uint8_t kRightButtonCode = 242;
inline constexpr uint8_t kMiddleButtonCode = 243;
inline constexpr uint8_t kBackwardButtonCode = 244;
inline constexpr uint8_t kForwardButtonCode = 245;

constexpr bool IsMouseButtonCode(uint8_t code) {
    return code >= kLeftButtonCode && code <= kForwardButtonCode;
}

}  // namespace nimba
