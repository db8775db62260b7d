#pragma once

// How the settings of a profile are written on the command line: the values `set` takes and
// `show` prints, in the units the page shows them.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "model/profile_record.h"
#include "model/setting_ranges.h"

namespace nimba::mousectl {

inline constexpr int kLightEffects = 12;

// A whole decimal number and nothing else.
std::optional<int> ParseInteger(std::string_view text);

// "on" or "off" as 1 or 0.
std::optional<int32_t> ParseSwitch(std::string_view text);
std::string SwitchText(int32_t value);

// Six hex digits RRGGBB.
std::optional<Colour> ParseColour(std::string_view text);
std::string ColourText(Colour colour);

// 125, 250, 500, 1000 Hz for the rates 0..3; nothing for any other stored value.
std::optional<int> RateHz(int32_t rate);
std::optional<int32_t> RateFromHz(std::string_view text);

// An effect by index or by its language text, ignoring case.
std::optional<int32_t> ParseEffect(std::string_view text);
std::string EffectName(int32_t effect);

// The light-off timer counts half minutes: "1.5" is 3.
std::optional<int32_t> ParseHalfMinutes(std::string_view text);
std::string HalfMinutesText(int32_t halves);

// A DPI value the stage sliders offer, as its code.
std::optional<int32_t> DpiCodeOfValue(std::string_view text);

}  // namespace nimba::mousectl
