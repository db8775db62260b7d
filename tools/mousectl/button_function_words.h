#pragma once

// A button function as words on the command line: a menu option name or its text, `default`,
// `key COMBINATION`, `macro NAME [once|repeat N|hold|toggle]`. `button` reads them; `show`
// prints them so that a script can set a button back.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "macro/macro_store.h"
#include "model/button_functions.h"
#include "model/profile_record.h"
#include "mousectl/commands.h"

namespace nimba::mousectl {

// The function a button is to get: everything the page writes into its slot for it.
struct ButtonChoice {
    uint8_t function = 0;
    uint8_t shortcut_key = 0;
    uint8_t shortcut_modifiers = 0;
    int macro_index = -1;
    int32_t macro_loop_mode = 0;
    int32_t macro_loop_count = 1;
};

// The functions taken by their menu option name or text: every option of the menu but the two
// that need more words (`key`, `macro`).
std::vector<const ButtonFunction*> NamedFunctions();

// Reads the words for the button in `slot` as it is now (a macro keeps its loop count when
// only its mode is given, as in the macro dialog); nothing, with a message, when they name
// no function.
std::optional<ButtonChoice> ParseButtonFunction(Args words, const ButtonAssignment& button,
                                                int slot, MacroStore& macros, std::ostream& err);

// The words that give the button its function again; nothing for a function that has no
// words (a code no menu offers).
std::optional<std::vector<std::string>> ButtonFunctionWords(const ButtonAssignment& button,
                                                            int slot);

// The label the page shows on the button.
std::string ShownButtonLabel(const ButtonAssignment& button);

}  // namespace nimba::mousectl
