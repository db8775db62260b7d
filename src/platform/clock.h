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
// Dispatches every pending message on the calling thread's queue.
void Pump();
// Advances virtual time in steps, firing each due timer and pumping in between, in order.
void AdvanceBy(uint32_t ms);
}  // namespace test

}  // namespace platform
