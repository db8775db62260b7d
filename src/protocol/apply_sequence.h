#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/profile_record.h"

namespace nimba {

// Which parts of the profile differ from what the mouse last received; each set flag
// sends one report.
struct ChangeFlags {
    uint8_t dpi_sensor = 0;
    uint8_t report_rate = 0;
    uint8_t lighting = 0;
    uint8_t buttons = 0;
    std::array<uint8_t, kButtonCount> macros{};  // per button area: its macro must be sent

    static ChangeFlags All();
    bool Any() const { return *this != ChangeFlags{}; }
    ChangeFlags& operator|=(const ChangeFlags& other);
    bool operator==(const ChangeFlags&) const = default;
};

ChangeFlags DetectChanges(const ProfileRecord& current, const ProfileRecord& applied);

// One report of an apply and the flag it answers for: once the mouse has it, that part of the
// profile is on the mouse. The preamble answers for every flag, as it opens a whole-profile
// send that counts only as a whole.
struct ApplyReport {
    std::vector<uint8_t> bytes;
    ChangeFlags carries;
};

// The reports an apply sends for `flags`, in sending order; `apply_all` puts the preamble first.
// A macro flag sends a macro report only for a button whose function is the macro.
std::vector<ApplyReport> ApplyReports(const ProfileRecord& current, const ChangeFlags& flags,
                                      bool apply_all);

}  // namespace nimba
