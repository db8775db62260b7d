#pragma once

#include <memory>
#include <string_view>

#include "model/profile_record.h"

namespace nimba {

// Writes the settings of a new profile into `record`. The name stays; the button block is
// cleared whole first, so no macro or key combination survives a reset.
void FillProfileDefaults(ProfileRecord& record);

// Restores the eight DPI stages (codes, enable flags, colours) and makes the second stage
// active; nothing else changes.
void ResetDpiBlock(ProfileRecord& record);

// A zero-filled record with the defaults and `name` (truncated to fit its buffer).
std::unique_ptr<ProfileRecord> NewProfile(std::u16string_view name);

}  // namespace nimba
