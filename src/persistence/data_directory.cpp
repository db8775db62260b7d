#include "persistence/data_directory.h"

#include <filesystem>
#include <system_error>

#include "platform/module_directory.h"

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

std::string GetDataDirectory() {
    return DataDirectoryIn(GetModuleDirectory());
}

}  // namespace nimba
