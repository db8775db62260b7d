#pragma once

// What the clock and the message system tell each other: a virtual-time step must wake the
// queues whose timers it made due, and stepping needs to know when the next timer is due.

#include <cstdint>
#include <optional>

namespace platform::detail {

bool VirtualClockOn();
// Wakes every waiting queue so it re-checks its timers against the new time.
void WakeAllQueues();
// The earliest due time of any thread's timer that lies strictly after `now`.
std::optional<uint64_t> NextTimerDueAfter(uint64_t now);

}  // namespace platform::detail
