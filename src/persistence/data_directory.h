#pragma once

#include <string>

namespace nimba {

// The folder inside the data directory that holds pro.data and macro.data.
inline constexpr char kStoreFolder[] = "ms_1/";

// The program folder + "Data/", creating the folder when it is missing. When something
// else stands there (a file named "Data"), nothing is created and nothing is reported: the
// saves that follow fail. An installed program's folder is shared and not writable: the data
// directory is then the user's $XDG_DATA_HOME/nimba-r380x/Data/.
std::string GetDataDirectory();
// Where the profile and macro file dialogs open: the program folder while it is writable (the
// files travel with it), else the user's home. Ends in "/"; empty when there is no home.
std::string FileDialogFolder();
// The same for a given program folder (ending in "/").
std::string DataDirectoryIn(const std::string& program_folder);

// Creates the folder, and any missing folder above it, unless a folder already stands at
// `path`; failures are left to the next open.
void EnsureFolder(const std::string& path);

}  // namespace nimba
