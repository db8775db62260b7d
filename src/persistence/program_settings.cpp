#include "persistence/program_settings.h"

#include <sstream>
#include <string_view>

#include "persistence/atomic_file.h"
#include "persistence/file_stream.h"

namespace nimba {

namespace {

constexpr char kFileName[] = "settings.conf";
// A settings file is a few lines; anything longer is not ours.
constexpr size_t kMaxSize = 64 * 1024;

}  // namespace

ProgramSettings LoadProgramSettings(const std::string& store_folder) {
    ProgramSettings settings;
    std::istringstream lines(ReadSmallFile(store_folder + kFileName, kMaxSize).value_or(""));
    for (std::string line; std::getline(lines, line);) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (std::string_view(line).substr(0, eq) == "language") {
            settings.language = line.substr(eq + 1);
        }
    }
    return settings;
}

bool SaveProgramSettings(const std::string& store_folder, const ProgramSettings& settings) {
    const std::string text = "language=" + settings.language + "\n";
    return WriteFileAtomically(store_folder + kFileName, [&](OutputStream& out) {
        return out.Write(text.data(), text.size());
    });
}

}  // namespace nimba
