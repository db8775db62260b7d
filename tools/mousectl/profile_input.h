#pragma once

#include <memory>
#include <ostream>
#include <string_view>

#include "model/profile_record.h"

namespace nimba::mousectl {

// Reads a profile file, which is exactly one record. On failure says why on `err` and
// returns nothing.
std::unique_ptr<ProfileRecord> ReadProfileFile(std::string_view path, std::ostream& err);

}  // namespace nimba::mousectl
