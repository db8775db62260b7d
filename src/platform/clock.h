#pragma once

// Time for everything that waits or times out: real by default; tests switch to a
// virtual clock so a 30 s retry costs no wall time and timers fire deterministically.

#include <cstdint>
#include <stop_token>

#include "platform/win_types.h"

DWORD GetTickCount();
void Sleep(DWORD ms);

namespace platform {

uint64_t NowMs();
// Sleep that ends as soon as `stop` is requested, and does not start once it has been.
void SleepUnlessStopped(DWORD ms, std::stop_token stop);

namespace test {
// Virtual time: Sleep advances the virtual clock at once instead of blocking.
void UseVirtualClock(bool on);
// Virtual time that only the calling thread, the driver, moves, so that the whole program
// runs as in real time, only faster. Sleep on the driver moves the clock past the pause in
// steps, in which the other threads run what falls due while the driver's own messages wait;
// Sleep on any other thread lasts until the driver has moved the clock past its end.
// Switching off, or the driver thread's end, ends every such Sleep at once and returns to
// real time.
void UseDrivenClock(bool on);
// Dispatches every pending message on the calling thread's queue.
void Pump();
// Advances virtual time in steps, firing each due timer and pumping in between, in order.
// With a driven clock, called by the driver, the steps also stop where another thread's Sleep
// ends, and at each step the driver pumps until every other thread that runs a message loop
// is waiting for a message or in a Sleep, so all that is due at a moment happens before the
// clock moves on.
void AdvanceBy(uint32_t ms);
}  // namespace test

}  // namespace platform
