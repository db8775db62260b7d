#pragma once

#include <string>

// The folder of the running executable (the program folder), ending in "/".
// Data files, driver libraries and res/ are found relative to it.
std::string GetModuleDirectory();
