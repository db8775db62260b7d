#pragma once

// Which stored macro a mouse button runs and how it repeats, as the selection dialog shows and
// changes it, and its copy into the button: the button carries the macro itself, so the
// profile does not depend on the store once it is applied.

#include <string_view>

#include "macro/macro_store.h"
#include "model/profile_record.h"

namespace nimba {

inline constexpr int kMinLoopCount = 1;
inline constexpr int kMaxLoopCount = 255;

struct MacroChoice {
    int loop_mode = 0;     // 0 a number of times, 1 while held, 2 until pressed again
    int macro_index = -1;  // store index, -1 none
    int loop_count = kMinLoopCount;
};

// The button's own settings when it runs a macro, else none chosen, once.
MacroChoice ChoiceForButton(const ButtonAssignment& button);

// A typed loop count: its digits read as a number, held to 1..255.
int LoopCountOfText(std::u16string_view text);

// Copies the chosen macro into the button and makes it run it. False, and the button stays as
// it was, when no macro is chosen or the store no longer has it.
bool WriteChoiceIntoButton(const MacroChoice& choice, const MacroStore& store,
                           ButtonAssignment& button);

}  // namespace nimba
