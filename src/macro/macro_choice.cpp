#include "macro/macro_choice.h"

#include <algorithm>
#include <cstring>

#include "model/button_functions.h"
#include "model/utf16.h"

namespace nimba {

MacroChoice ChoiceForButton(const ButtonAssignment& button) {
    if (button.function != kFunctionMacro) return {};
    return {button.macro_loop_mode, button.macro_index,
            std::clamp(button.macro_loop_count, kMinLoopCount, kMaxLoopCount)};
}

int LoopCountOfText(std::u16string_view text) {
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') continue;
        value = std::min<long long>(value * 10 + (c - u'0'), kMaxLoopCount + 1);
    }
    return static_cast<int>(std::clamp<long long>(value, kMinLoopCount, kMaxLoopCount));
}

bool WriteChoiceIntoButton(const MacroChoice& choice, const MacroStore& store,
                           ButtonAssignment& button) {
    MacroRecord record{};
    if (choice.macro_index < 0 || !store.CopyRecord(choice.macro_index, record)) return false;
    button.macro_loop_mode = choice.loop_mode;
    button.macro_loop_count = choice.loop_count;
    button.macro_index = choice.macro_index;
    CopyName(button.macro_name, NameView(record.name));
    button.macro_action_count =
        static_cast<uint16_t>(std::clamp(record.action_count, 0, kMaxMacroActions));
    std::memcpy(button.macro_actions, record.actions, sizeof(button.macro_actions));
    button.function = kFunctionMacro;
    return true;
}

}  // namespace nimba
