#pragma once

// The program's own settings, kept beside the stores (whose layout is fixed) in
// "settings.conf" as "key=value" lines.

#include <string>

namespace nimba {

struct ProgramSettings {
    // The code of the chosen translation ("de"), "en" for English, "" to follow the desktop.
    std::string language;
};

// The settings in `store_folder` (the folder of pro.data); the defaults when the file is
// missing or unreadable. Unknown lines are ignored.
ProgramSettings LoadProgramSettings(const std::string& store_folder);
// Replaces the file atomically; false when it could not be written.
[[nodiscard]] bool SaveProgramSettings(const std::string& store_folder,
                                       const ProgramSettings& settings);

}  // namespace nimba
