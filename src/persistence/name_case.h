#pragma once

// Letter case for names and key labels. Names are compared ignoring case the way a user
// reads them: Latin (with its accented and extended letters), Greek, Cyrillic, Armenian and
// full-width Latin letters, not only ASCII. Simple one-to-one mappings only, so a name never
// changes length.

#include <string>
#include <string_view>

namespace nimba {

char16_t LowerCase(char16_t c);
char16_t UpperCase(char16_t c);
std::u16string ToUpperCase(std::u16string_view text);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace nimba
