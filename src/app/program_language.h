#pragma once

// The language the program speaks: the one the user chose in the tray menu, else the
// desktop's.

#include <string>
#include <vector>

namespace nimba {

// Loads the texts of `choice` over English: "" follows the desktop's locale, "en" is English,
// anything else the translation of that code (the desktop's when it is not shipped). `shipped`:
// the codes of the translations the program folder holds.
void LoadProgramLanguage(const std::string& choice, const std::vector<std::string>& shipped);

}  // namespace nimba
