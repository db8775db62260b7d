#pragma once

#include <string>

namespace platform {

// A folder of the user's by the XDG base directory rules: the path in `variable` when it is
// set and absolute, else `under_home` inside the user's home; ends in "/". Empty when the
// user has no home either.
std::string UserFolder(const char* variable, const char* under_home);

// $XDG_DATA_HOME: what the user's programs keep (~/.local/share/).
std::string UserDataHome();
// $XDG_CONFIG_HOME: the user's settings, among them the autostart entries (~/.config/).
std::string UserConfigHome();

}  // namespace platform
