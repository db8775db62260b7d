#pragma once

#include <atomic>
#include <cstdint>
#include <stop_token>

#include "device/device_controls.h"
#include "device/link_state.h"
#include "device/link_writers.h"
#include "device/profile_access.h"
#include "platform/win_types.h"
#include "protocol/apply_sequence.h"

namespace nimba {

// The page's apply state.
struct ApplyState {
    AppliedSnapshot applied_snapshot;
    // 1: the next apply sends every group and every macro, preceded by the preamble.
    std::atomic<int32_t> apply_all{0};
    ChangeFlags flags;  // the worker's alone; kept until the next apply
};

struct ApplyContext {
    LinkState& links;
    const LinkWriters& writers;
    ProfileAccess& profile;
    ApplyState& state;
    DeviceControls& controls;
    HWND window;  // owner of the 2.4 GHz watchdog timer
    // Requested when the links close: the sends still due end at once.
    std::stop_token stop = {};
};

// Brings the mouse in line with the current profile: sends the reports of what changed since
// the last apply (everything when `apply_all` is set), saves the store and takes the new
// snapshot. Runs on the apply worker.
void ApplyProfile(ApplyContext& context);

}  // namespace nimba
