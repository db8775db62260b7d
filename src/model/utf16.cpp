#include "model/utf16.h"

namespace nimba {

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

size_t FittingLength(std::u16string_view text, size_t capacity) {
    if (capacity == 0) return 0;
    size_t length = 0;
    // Stop at an embedded NUL: what follows it would be invisible anyway.
    while (length < text.size() && length < capacity - 1 && text[length] != u'\0') ++length;
    if (length > 0 && length < text.size() && IsHighSurrogate(text[length - 1]) &&
        IsLowSurrogate(text[length])) {
        --length;
    }
    return length;
}

}  // namespace nimba
