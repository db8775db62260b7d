#pragma once

// Names are unique within the profile list and within the macro list, compared ignoring
// case. Both lists hold owning pointers to records whose first field is a fixed UTF-16
// `name`, so the same rules serve both.

#include <string>
#include <string_view>
#include <unordered_set>

#include "model/utf16.h"
#include "persistence/name_case.h"

namespace nimba {

// A profile name field holds 99 characters; the unique-name rule forms at most 49.
inline constexpr size_t kProfileNameChars = 99;
inline constexpr size_t kProfileRuleChars = 49;

template <typename List>
bool IsNameTaken(const List& list, std::u16string_view name) {
    for (const auto& record : list) {
        if (EqualsIgnoringCase(NameView(record->name), name)) return true;
    }
    return false;
}

// `name` cut to at most `max_chars` units, never splitting a surrogate pair.
inline std::u16string CutName(std::u16string_view name, size_t max_chars) {
    return std::u16string(name.substr(0, FittingLength(name, max_chars + 1)));
}

// The first free "<name>_<n>" for n = 1, 2, ...; `name` is cut so that each candidate stays
// within `max_chars`. The taken names are gathered once, so the thousandth copy of a name
// costs one pass over the list, not a thousand.
template <typename List>
std::u16string MakeUniqueName(const List& list, std::u16string_view name, size_t max_chars) {
    auto folded = [](std::u16string_view text) {
        std::u16string key(text);
        for (char16_t& c : key) c = LowerCase(c);
        return key;
    };
    std::unordered_set<std::u16string> taken;
    for (const auto& record : list) taken.insert(folded(NameView(record->name)));
    for (int n = 1;; ++n) {
        const std::u16string suffix = u"_" + Utf8ToUtf16(std::to_string(n));
        std::u16string candidate = CutName(name, max_chars - suffix.size()) + suffix;
        if (!taken.contains(folded(candidate))) return candidate;
    }
}

// The name a record entering the list gets: `name` cut to its field of `field_chars`, kept
// when free, else made unique within `rule_chars`.
template <typename List>
std::u16string NameForNewRecord(const List& list, std::u16string_view name, size_t field_chars,
                                size_t rule_chars) {
    std::u16string fitted = CutName(name, field_chars);
    if (!IsNameTaken(list, fitted)) return fitted;
    return MakeUniqueName(list, fitted, rule_chars);
}

}  // namespace nimba
