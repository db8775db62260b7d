#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/profile_record.h"

namespace nimba {

using MacroReport = std::array<uint8_t, 131>;
using MacroChunk = std::array<uint8_t, 64>;

// The last byte 1 of a chunked macro report: the wired link keeps the chunk length, the
// 2.4 GHz receiver expects the length of what is left.
inline constexpr uint8_t kWiredLastChunkMark = 0x40;
inline constexpr uint8_t kWirelessLastChunkMark = 0x0C;

// The macro of `button` (whose function is the macro) for button number 1..18. Entries
// stop when the report's 50-entry area is full; byte 28 counts the entries written.
MacroReport BuildMacroReport(int button_number, const ButtonAssignment& button);

// The three 64-byte packets a macro report travels in on the wired and 2.4 GHz links.
// Bytes missing from a short `report` are sent as 0.
std::array<MacroChunk, 3> SplitMacroReport(std::span<const uint8_t> report,
                                           uint8_t last_chunk_mark);

}  // namespace nimba
