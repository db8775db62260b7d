#pragma once

// Buttons carry copies of the macros they run. After the macro editor closes, every copy on
// buttons 1-12 of every profile whose function is still the macro is brought up to date: a
// renamed or deleted macro sends its buttons back to their defaults, a changed one gives them
// its new actions.

#include "macro/macro_store.h"
#include "persistence/profile_store.h"

namespace nimba {

struct MacroSyncResult {
    bool changed = false;          // some profile changed: the list is to be saved
    bool current_changed = false;  // the current profile changed: shown again and applied
};

MacroSyncResult SyncButtonMacros(ProfileList& profiles, int current, const MacroList& macros);

}  // namespace nimba
