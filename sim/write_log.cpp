#include "sim/write_log.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/module_directory.h"

namespace nimba::sim {

std::string FormatWriteLine(SimLink link, std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line = LinkName(link);
    for (uint8_t byte : bytes) {
        line += ' ';
        line += kHex[byte >> 4];
        line += kHex[byte & 0x0F];
    }
    return line;
}

void WriteLog::Append(SimLink link, std::span<const uint8_t> bytes) const {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
    std::ofstream file(path_, std::ios::app);
    file << FormatWriteLine(link, bytes) << '\n';
}

std::string DefaultWriteLogPath() {
    if (const char* path = std::getenv("NIMBA_SIM_LOG"); path != nullptr && *path != '\0') {
        return path;
    }
    return GetModuleDirectory() + "Data/mouse-sim.log";
}

}  // namespace nimba::sim
