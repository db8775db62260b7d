#pragma once

// A notice of the mouse as a person reads it: "dpi stage 4 (3200 DPI)", "battery 40%".

#include <cstdint>
#include <string>

#include "model/profile_record.h"

namespace nimba::mousectl {

enum class NoticeLink { kWired, kWireless, kBle };

// `word` and `value` as the driver delivers them; `profile` (the current one) gives the DPI
// of a stage. On the cable the mouse charges unless it says it is full.
std::string NoticeText(NoticeLink link, uint16_t word, uint16_t value,
                       const ProfileRecord& profile);

const char* LinkName(NoticeLink link);

}  // namespace nimba::mousectl
