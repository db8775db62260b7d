#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace nimba {

// The text of a language key. Lower layers take one instead of asking the windows' language
// themselves, so they and their tests run without a language file.
using TextLookup = std::function<std::u16string(std::u16string_view key)>;

}  // namespace nimba
