#pragma once

// The values the page's sliders offer and nimba-mousectl takes, in the units of the profile.

#include <cstdint>

#include "model/dpi_code.h"

namespace nimba {

struct SettingRange {
    int32_t min;
    int32_t max;
};

inline constexpr SettingRange kDpiCodeRange{kMinDpiCode, kMaxDpiCode};
inline constexpr SettingRange kBrightnessRange{1, 15};
inline constexpr SettingRange kSpeedRange{0, 9};
inline constexpr SettingRange kSleepMinutesRange{1, 60};
inline constexpr SettingRange kLightOffHalvesRange{1, 60};  // half minutes
inline constexpr SettingRange kDebounceStepsRange{1, 16};   // steps of 2 ms

// Each fits what the mouse is sent: brightness a nibble, speed a nibble as 9 - speed, the
// timers and the debounce a byte each.
static_assert(kBrightnessRange.min >= 0 && kBrightnessRange.max <= 15);
static_assert(kSpeedRange.min >= 0 && kSpeedRange.max <= 9);
static_assert(kSleepMinutesRange.max <= 255 && kLightOffHalvesRange.max <= 255);
static_assert(kDebounceStepsRange.max <= 255);

}  // namespace nimba
