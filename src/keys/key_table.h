#pragma once

// The 8-bit key code space of macros and key combinations (HID keyboard usages plus our own
// codes for mouse buttons and a few keys), its tie to virtual keys and scan codes, and the
// display name of every code.

#include <cstdint>
#include <span>
#include <string>

#include "model/text_lookup.h"

namespace nimba {

struct KeyUsageRow {
    uint8_t virtual_key;
    uint8_t usage;
    uint8_t scan_code;  // set 1 make code; 0 where the usage never takes part in position lookups
};

// The 112 rows in lookup order: lookups take the first matching row.
std::span<const KeyUsageRow> KeyTable();

struct KeyCodeLookup {
    bool found;
    uint8_t code;  // 0 when not found
};

// Virtual keys run from 1 to 254; an input event's other values (mouse messages) name no key.
constexpr bool IsVirtualKey(unsigned long long value) {
    return value >= 1 && value <= 254;
}

// The key code to store for a captured virtual key. For keys whose place matters (letters,
// digits, main-block punctuation, F-keys) the physical position under the current layout
// decides, not the character printed on the key.
KeyCodeLookup KeyCodeOfVirtualKey(int virtual_key);

// The display text of a stored key code; empty for codes without a name. Keys named by
// language texts take theirs from `text`.
std::u16string KeyName(uint8_t code, const TextLookup& text);

// The display text of a virtual key: a language text for named keys, otherwise the character
// the current layout prints on the key, upper-cased.
std::u16string VirtualKeyName(int virtual_key, const TextLookup& text);

}  // namespace nimba
