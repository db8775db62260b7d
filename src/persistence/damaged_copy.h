#pragma once

#include <optional>
#include <string>

namespace nimba {

// Keeps the bytes of a store file that is about to be replaced or mended because the program
// cannot take it back as it is: a copy "<path>.damaged-<UTC time>" beside it, and a trace
// naming it. Returns the copy's path, "" for a missing or empty file (nothing to keep), and
// nothing when the copy could not be made: the file must then not be replaced.
std::optional<std::string> KeepDamagedCopy(const std::string& path);

// Why a damaged store whose copy failed is left as it is.
inline constexpr char kDamagedNotKept[] = "is damaged and could not be copied aside";
// Why a damaged store read while another process kept the stores locked is left as it is.
inline constexpr char kDamagedWhileLocked[] =
    "is damaged and another process keeps the stores locked";

}  // namespace nimba
