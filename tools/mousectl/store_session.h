#pragma once

// The profile and macro stores beside the program, opened as the app opens them at start, for
// the commands that read or change them.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "macro/macro_store.h"
#include "persistence/profile_store.h"
#include "persistence/store_lock.h"

namespace nimba::mousectl {

// A store that is there but cannot be read, or stores another process keeps locked: the command
// must not go on with a stand-in.
struct StoresUnavailable {
    std::string message;
};

// Holds the lock of the stores from before they are read until Unlock, so that what a command
// writes back is what it read plus its change: no other writer saves in between. A read-only
// session unlocks as soon as it has read them; a command that runs on unlocks itself.
struct StoreSession {
    // Loads the language texts, the profile store and the macro store; throws StoresUnavailable
    // (the command then ends with exit 1) rather than work on a stand-in or wait for good. A
    // store that was mended is said on standard error.
    explicit StoreSession(StoreAccess access = StoreAccess::kReadWrite);
    ProfileStore profiles;
    MacroStore macros;

    void Unlock() { lock.reset(); }

    std::optional<StoreLock> lock;
};

// A save of the profile store for the device layer, saying on `err` when it failed.
std::function<void()> SaveOrSay(ProfileStore& profiles, std::ostream& err);

// The language texts of the program folder, for commands that need no store.
void LoadLanguageTexts();

// A list index given on the command line; nothing (with a message) when it is not a number
// in 0..count-1.
std::optional<int> ParseIndex(std::string_view text, size_t count, std::ostream& err);

// The profile a user names: by name (ignoring case), else by index; nothing (with a message)
// when neither matches.
std::optional<int> FindProfile(const ProfileList& list, std::string_view text, std::ostream& err);

}  // namespace nimba::mousectl
