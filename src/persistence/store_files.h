#pragma once

// The files of the store folder: the two stores, and the journal of a save that replaces both
// at once (a profile import with its macros).

#include <string>

namespace nimba {

// `data_directory` ends in "/".
std::string ProfileStorePath(const std::string& data_directory);
std::string MacroStorePath(const std::string& data_directory);
std::string StoreJournalPath(const std::string& data_directory);

// Before the stores are read: completes a joined save of both stores that a killed process
// left after deciding it, and removes the temporary files of saves that were never decided,
// so the stores hold both changes of an import or neither.
void CompleteStoreWrites(const std::string& data_directory);

}  // namespace nimba
