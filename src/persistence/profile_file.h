#pragma once

#include <string>

#include "macro/macro_store.h"
#include "model/profile_record.h"
#include "persistence/file_import.h"
#include "persistence/profile_store.h"

namespace nimba {

// Writes the record as a 32992-byte profile file; false when it could not be written.
bool ExportProfile(const std::string& path, const ProfileRecord& profile);

// Appends the profile of a profile file to the list under a free name. Each button that runs
// a macro brings its macro into the macro list under a free name, and the button is pointed
// at that new entry. Both stores are then saved together, whole or not at all (`saved` tells
// whether that worked). Bytes beyond one record are ignored; a shorter file is refused and
// nothing changes. Selecting the new profile and applying it are the caller's.
ImportResult ImportProfile(const std::string& path, ProfileStore& profiles, MacroStore& macros);

}  // namespace nimba
