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
    // What was to go to the mouse and has not reached it; the next apply sends it whatever
    // the snapshot says. The worker's alone.
    ChangeFlags undelivered;
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
// the last apply and of what did not reach the mouse before (everything when `apply_all` is
// set), saves the store and takes the new snapshot. What the mouse did not get stays
// undelivered, and the controls show whether the mouse is behind. Runs on the apply worker.
void ApplyProfile(ApplyContext& context);

// There is no mouse to send to: what an apply would send now stays undelivered and is shown
// as such. Runs on the apply worker.
void KeepUndelivered(ApplyContext& context);

}  // namespace nimba
