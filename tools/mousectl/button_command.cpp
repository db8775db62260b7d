// `button N FUNCTION`: a button's function in the current profile, with the page's rules: only
// buttons 1-12 are offered, and one of buttons 1-16 keeps the left click. `functions` lists
// the functions it takes by name.

#include <algorithm>
#include <cstring>

#include "model/button_functions.h"
#include "model/utf16.h"
#include "mousectl/button_function_words.h"
#include "mousectl/commands.h"
#include "mousectl/profile_change.h"
#include "mousectl/setting_values.h"
#include "mousectl/store_session.h"
#include "mousectl/terminal_text.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

constexpr int kReassignableButtons = 12;

void WriteChoice(ButtonAssignment& button, const ButtonChoice& choice, const MacroRecord& macro) {
    if (choice.function == kFunctionShortcut) {
        // A slot that was not a key combination may hold stale bytes there.
        if (button.function != kFunctionShortcut) {
            std::memset(button.reserved_4, 0, sizeof button.reserved_4);
        }
        button.shortcut_key = choice.shortcut_key;
        button.shortcut_modifiers = choice.shortcut_modifiers;
    } else if (choice.function == kFunctionMacro) {
        button.macro_loop_mode = choice.macro_loop_mode;
        button.macro_loop_count = choice.macro_loop_count;
        button.macro_index = choice.macro_index;
        CopyName(button.macro_name, NameView(macro.name));
        button.macro_action_count = static_cast<uint16_t>(macro.action_count);
        std::copy(std::begin(macro.actions), std::end(macro.actions), button.macro_actions);
    }
    button.function = choice.function;
}

}  // namespace

int RunButton(const Invocation& call, std::ostream& out, std::ostream& err) {
    const auto number = ParseInteger(call.args[0]);
    if (!number || *number < 1 || *number > kButtonCount) {
        err << "nimba-mousectl: button: '" << call.args[0] << "' is not a button (1-18)\n";
        return kExitUsage;
    }
    if (*number > kReassignableButtons) {
        err << "nimba-mousectl: button: buttons 13-18 keep their functions\n";
        return kExitUsage;
    }
    const int slot = *number - 1;

    StoreSession session;
    const ProfileRecord before = CurrentProfile(session.profiles);
    const auto choice =
        ParseButtonFunction(call.args.subspan(1), before.buttons[slot], slot, session.macros, err);
    if (!choice) return kExitUsage;
    if (!KeepsALeftClick(before, slot, choice->function)) {
        err << "nimba-mousectl: button: "
            << CResourceManager::GetInstance().GetTextUtf8("one_click_text") << "\n";
        return kExitUsage;
    }
    MacroRecord macro{};
    if (choice->function == kFunctionMacro) session.macros.CopyRecord(choice->macro_index, macro);

    ProfileRecord changed = before;
    WriteChoice(changed.buttons[slot], *choice, macro);
    ReplaceCurrentProfile(session.profiles, changed);
    out << *number << '\t' << TerminalText(ShownButtonLabel(changed.buttons[slot])) << '\n';
    return FinishChange(session, before, false, call.apply, err);
}

int RunFunctions(const Invocation&, std::ostream& out, std::ostream&) {
    LoadLanguageTexts();
    for (const ButtonFunction* row : NamedFunctions()) {
        out << Utf16ToUtf8(row->menu_option) << '\t'
            << Utf16ToUtf8(CResourceManager::GetInstance().GetText(std::u16string(row->label_key)))
            << '\n';
    }
    return out.flush() ? kExitOk : kExitFailure;
}

}  // namespace nimba::mousectl
