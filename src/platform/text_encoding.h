#pragma once

// UTF-8 <-> wide strings (UTF-32 on this platform). Malformed input never fails: each bad
// sequence, surrogate or out-of-range value becomes U+FFFD, so names from files stay usable.

#include <string>
#include <string_view>

namespace platform {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace platform
