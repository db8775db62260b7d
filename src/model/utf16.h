#pragma once

// Text in records is UTF-16 in fixed buffers; the rest of the program (files, XML, the
// terminal) speaks UTF-8. These helpers convert between the two and keep every fixed
// buffer NUL-terminated.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace nimba {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

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
