#pragma once

// Text in records is UTF-16 in fixed buffers; the rest of the program (files, XML, the
// terminal) speaks UTF-8. These helpers convert between the two and keep every fixed
// buffer NUL-terminated.

#include <cstddef>
#include <string>
#include <string_view>

namespace nimba {

// Invalid input (broken sequences, lone surrogates) becomes U+FFFD instead of being dropped,
// so a bad name still shows that something was there.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// How many units of `text` fit into a buffer of `capacity` units with room for the NUL,
// without splitting a surrogate pair.
size_t FittingLength(std::u16string_view text, size_t capacity);

// Copies `src` into `dst`, truncated to fit, and zero-fills the rest: records are compared
// and written raw, so stale bytes behind the terminator would leak into files.
template <size_t N>
void CopyName(char16_t (&dst)[N], std::u16string_view src) {
    static_assert(N > 0);
    const size_t length = FittingLength(src, N);
    for (size_t i = 0; i < N; ++i) dst[i] = i < length ? src[i] : u'\0';
}

// The text of a fixed buffer up to its first NUL; a buffer read from a file may lack the
// terminator, so the length is bounded by the buffer.
template <size_t N>
std::u16string_view NameView(const char16_t (&src)[N]) {
    size_t length = 0;
    while (length < N && src[length] != u'\0') ++length;
    return {src, length};
}

}  // namespace nimba
