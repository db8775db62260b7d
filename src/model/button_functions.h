#pragma once

// The vocabulary of button functions: for each function code, the button-function menu
// item that chooses it, the language key of its label and the bytes the mouse is sent.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/profile_record.h"
#include "model/text_lookup.h"

namespace nimba {

inline constexpr uint8_t kFunctionLeftClick = 1;
inline constexpr uint8_t kFunctionShortcut = 16;  // key combination
inline constexpr uint8_t kFunctionMacro = 17;

inline constexpr std::array<uint8_t, kButtonCount> kDefaultButtonFunctions = {
    1, 2, 3, 6, 121, 6, 4, 5, 121, 0, 0, 0, 0, 0, 0, 0, 12, 11};

using DeviceBytesValue = std::array<uint8_t, 3>;

struct ButtonFunction {
    uint8_t code;
    std::u16string_view menu_option;  // empty: not offered by the menu
    std::u16string_view label_key;    // empty: no label of its own (16 and 17 are composed)
    DeviceBytesValue device_bytes;
};

// Every known code, ascending.
std::span<const ButtonFunction> ButtonFunctionTable();
// The row of `code`, or nullptr for a code without one.
const ButtonFunction* FindButtonFunction(uint8_t code);

// The code a menu item chooses; names compare without case, an unknown name is left click.
uint8_t FunctionFromMenuName(std::u16string_view item_name);

// Whether some button among 1-16 keeps the left click once `slot` takes `function`: without
// one the mouse could no longer be clicked with.
bool KeepsALeftClick(const ProfileRecord& profile, int slot, uint8_t function);

// What the mouse is told for the button in `slot` (0..17).
DeviceBytesValue DeviceBytes(const ButtonAssignment& button, int slot);

struct ButtonLabelText {
    std::u16string text;
    bool is_language_key;  // true: `text` is a key the label control resolves itself
};

// The label of a button. Key combinations and macros are composed here from language texts
// (`text`) and, for a key combination, the display name of its key (`key_name`).
ButtonLabelText ButtonLabel(const ButtonAssignment& button, const TextLookup& text,
                            std::u16string_view key_name);

}  // namespace nimba
