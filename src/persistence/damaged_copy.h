#pragma once

#include <string>

namespace nimba {

// Keeps the bytes of a store file that is about to be replaced or mended because the program
// cannot take it back as it is: a copy "<path>.damaged-<UTC time>" beside it, and a trace
// naming it. Nothing happens for a missing or empty file.
void KeepDamagedCopy(const std::string& path);

}  // namespace nimba
