#include "persistence/data_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/module_directory.h"
#include "platform/user_folders.h"

namespace nimba {

void EnsureFolder(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) std::filesystem::create_directories(path, ec);
}

std::string DataDirectoryIn(const std::string& program_folder) {
    const std::string data = program_folder + "Data";
    EnsureFolder(data);
    return data + "/";
}

std::string FileDialogFolder() {
    const std::string program_folder = GetModuleDirectory();
    if (::access(program_folder.c_str(), W_OK) == 0) return program_folder;
    const char* home = std::getenv("HOME");
    return home != nullptr && *home == '/' ? std::string(home) + "/" : std::string();
}

std::string GetDataDirectory() {
    const std::string program_folder = GetModuleDirectory();
    if (::access(program_folder.c_str(), W_OK) == 0) return DataDirectoryIn(program_folder);
    const std::string user_data = platform::UserDataHome();
    // Without a home the program folder it is, and the saves fail as they would there.
    return DataDirectoryIn(user_data.empty() ? program_folder : user_data + "nimba-r380x/");
}

}  // namespace nimba
