#pragma once

// The language the program speaks: the one the user chose in the tray menu, else the
// desktop's.

#include <string>

namespace nimba {

// Loads the texts of `choice` over English: "" follows the desktop's locale, "en" is English,
// anything else the translation of that code (the desktop's when it is not shipped).
void LoadProgramLanguage(const std::string& choice);

}  // namespace nimba
