#pragma once

// The one UTF codec of the program: UTF-8 (files, XML, the terminal) <-> UTF-16 (names in
// records, texts on screen) and wide strings (UTF-32 here, the Win32-shaped calls).
// Malformed input never fails: each bad sequence, lone surrogate or out-of-range value
// becomes U+FFFD, so a damaged name still shows that something was there.

#include <string>
#include <string_view>

namespace platform {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
