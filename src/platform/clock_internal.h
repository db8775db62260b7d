#pragma once

// What the clock and the message system tell each other: a virtual-time step must wake the
// queues whose timers it made due, stepping needs to know when the next timer or pause is
// due, and a driven clock needs the threads' loops and pauses.

#include <chrono>
#include <cstdint>
#include <optional>
#include <stop_token>

namespace platform::detail {

bool VirtualClockOn();
bool DrivenClockOn();
// Wakes every waiting queue so it re-checks its timers against the new time.
void WakeAllQueues();
// The earliest due time of any thread's timer or driven-clock pause that lies strictly after
// `now`.
std::optional<uint64_t> NextDueAfter(uint64_t now);
// Blocks the calling thread until virtual time reaches `deadline`, the driven clock is off, or
// `stop` is requested.
void SleepUntil(uint64_t deadline, std::stop_token stop = {});
// Waits until every other thread that runs a message loop waits for a message it has not got
// yet or sleeps until later. With `pump_own` the calling thread's queue is pumped meanwhile and
// must end up empty too; without, the caller does nothing of its own, as a thread in a pause.
// False if that did not happen within `patience`.
bool PumpUntilOthersIdle(std::chrono::milliseconds patience, bool pump_own);

}  // namespace platform::detail
