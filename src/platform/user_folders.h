#pragma once

#include <string>

namespace platform {

// The user's folders by the XDG base directory rules: the variable's path when it is set and
// absolute, else the usual folder in the user's home; ending in "/". Empty when the user has
// no home either.

// $XDG_DATA_HOME: what the user's programs keep (~/.local/share/).
std::string UserDataHome();
// $XDG_CONFIG_HOME: the user's settings, among them the autostart entries (~/.config/).
std::string UserConfigHome();

}  // namespace platform
