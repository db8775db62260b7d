#include "page/button_macro_sync.h"

#include <algorithm>
#include <cstring>

#include "model/button_functions.h"
#include "model/utf16.h"
#include "persistence/name_case.h"

namespace nimba {
namespace {

constexpr int kSyncedButtons = 12;

int FindMacro(const MacroList& macros, std::u16string_view name) {
    for (size_t i = 0; i < macros.size(); ++i) {
        if (macros[i] && EqualsIgnoringCase(NameView(macros[i]->name), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SyncButton(ButtonAssignment& button, int slot, const MacroList& macros) {
    const int found = FindMacro(macros, NameView(button.macro_name));
    if (found < 0) {
        button = ButtonAssignment{};
        button.index = static_cast<uint8_t>(slot);
        button.function = kDefaultButtonFunctions[slot];
        button.macro_index = -1;
        return;
    }
    const MacroRecord& macro = *macros[found];
    button.macro_index = found;
    button.macro_action_count =
        static_cast<uint16_t>(std::clamp(macro.action_count, 0, kMaxMacroActions));
    std::fill(std::begin(button.macro_name), std::end(button.macro_name), u'\0');
    CopyName(button.macro_name, NameView(macro.name));
    std::memcpy(button.macro_actions, macro.actions, sizeof(button.macro_actions));
}

}  // namespace

MacroSyncResult SyncButtonMacros(ProfileList& profiles, int current, const MacroList& macros) {
    MacroSyncResult result;
    for (size_t p = 0; p < profiles.size(); ++p) {
        if (!profiles[p]) continue;
        for (int slot = 0; slot < kSyncedButtons; ++slot) {
            ButtonAssignment& button = profiles[p]->buttons[slot];
            // A button given another function keeps the name of the macro it once ran; that
            // name is no longer its function and must not send it back to its default.
            if (button.function != kFunctionMacro) continue;
            const ButtonAssignment before = button;
            SyncButton(button, slot, macros);
            if (std::memcmp(&before, &button, sizeof button) == 0) continue;
            result.changed = true;
            if (static_cast<int>(p) == current) result.current_changed = true;
        }
    }
    return result;
}

}  // namespace nimba
