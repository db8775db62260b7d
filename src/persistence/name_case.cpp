#include "persistence/name_case.h"

#include <algorithm>

namespace nimba {
namespace {

// Capital letters `first`..`last` whose small letter lies `delta` further on.
struct ShiftedRange {
    char16_t first;
    char16_t last;
    int delta;
};

// Blocks where capital and small letters alternate: capital at `first`, `first` + 2, ...
struct AlternatingRange {
    char16_t first;
    char16_t last;  // the last capital
};

constexpr ShiftedRange kShifted[] = {
    {0x0041, 0x005A, 32}, {0x00C0, 0x00D6, 32}, {0x00D8, 0x00DE, 32}, {0x0178, 0x0178, -121},
    {0x0386, 0x0386, 38}, {0x0388, 0x038A, 37}, {0x038C, 0x038C, 64}, {0x038E, 0x038F, 63},
    {0x0391, 0x03A1, 32}, {0x03A3, 0x03AB, 32}, {0x0400, 0x040F, 80}, {0x0410, 0x042F, 32},
    {0x0531, 0x0556, 48}, {0xFF21, 0xFF3A, 32},
};

constexpr AlternatingRange kAlternating[] = {
    {0x0100, 0x012E}, {0x0132, 0x0136}, {0x0139, 0x0147}, {0x014A, 0x0176}, {0x0179, 0x017D},
    {0x01CD, 0x01DB}, {0x01DE, 0x01EE}, {0x01F8, 0x021E}, {0x0222, 0x0232}, {0x0460, 0x0480},
    {0x048A, 0x04BE}, {0x04C1, 0x04CD}, {0x04D0, 0x052E}, {0x1E00, 0x1E94}, {0x1EA0, 0x1EFE},
};

constexpr char16_t kFinalSigma = 0x03C2;
constexpr char16_t kSigma = 0x03C3;

}  // namespace

char16_t LowerCase(char16_t c) {
    if (c == kFinalSigma) return kSigma;  // both forms of sigma are one letter
    for (const ShiftedRange& r : kShifted) {
        if (c >= r.first && c <= r.last) return static_cast<char16_t>(c + r.delta);
    }
    for (const AlternatingRange& r : kAlternating) {
        if (c >= r.first && c <= r.last && (c - r.first) % 2 == 0) return c + 1;
    }
    return c;
}

char16_t UpperCase(char16_t c) {
    if (c == kFinalSigma) c = kSigma;
    for (const ShiftedRange& r : kShifted) {
        const int capital = c - r.delta;
        if (capital >= r.first && capital <= r.last) return static_cast<char16_t>(capital);
    }
    for (const AlternatingRange& r : kAlternating) {
        if (c > r.first && c <= r.last + 1 && (c - r.first) % 2 == 1) return c - 1;
    }
    return c;
}

std::u16string ToUpperCase(std::u16string_view text) {
    std::u16string result(text);
    std::transform(result.begin(), result.end(), result.begin(), UpperCase);
    return result;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return LowerCase(x) == LowerCase(y); });
}

}  // namespace nimba
