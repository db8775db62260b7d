#pragma once

#include <cstddef>
#include <cstdint>

#include "model/macro_action.h"

namespace nimba {

// One macro (240 bytes, little-endian): the same bytes in memory, in the macro store file
// and as the whole of a .macro file.
struct MacroRecord {
    char16_t name[24];     // NUL-terminated, at most 23 characters
    int32_t loop_count;    // carried, never read
    int32_t action_count;  // used entries of `actions`, 0..46
    MacroAction actions[kMaxMacroActions];
};
static_assert(sizeof(MacroRecord) == 240);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, loop_count) == 48);
static_assert(offsetof(MacroRecord, action_count) == 52);
static_assert(offsetof(MacroRecord, actions) == 56);

inline constexpr size_t kMacroNameChars = 23;

// Delays above this take a second slot on the mouse.
inline constexpr uint16_t kSingleSlotDelayMs = 1280;
// An edited macro may be saved only while its weight is below this.
inline constexpr int kMaxSavableWeight = 48;

// The slots a macro takes on the mouse: one per used action, two when its delay is longer
// than 1280 ms.
int MacroWeight(const MacroRecord& record);

}  // namespace nimba
