#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/clock_internal.h"

namespace {

std::atomic<bool> g_virtual{false};
std::atomic<uint64_t> g_virtual_now{0};
// Added to the steady clock so that time never runs backwards after virtual time was used:
// code measuring with unsigned tick differences would otherwise see a huge interval.
std::atomic<uint64_t> g_real_offset{0};

uint64_t RealNowMs() {
    using namespace std::chrono;
    auto steady = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint64_t>(steady) + g_real_offset.load();
}

// Virtual time only moves forward, even when several threads advance it at once.
void AdvanceVirtualTo(uint64_t target) {
    uint64_t now = g_virtual_now.load();
    while (now < target && !g_virtual_now.compare_exchange_weak(now, target)) {
    }
}

}  // namespace

namespace platform {

uint64_t NowMs() {
    return g_virtual.load() ? g_virtual_now.load() : RealNowMs();
}

namespace detail {
bool VirtualClockOn() {
    return g_virtual.load();
}
}  // namespace detail

namespace test {

void UseVirtualClock(bool on) {
    // Each clock continues from where the other stood, so timers already set keep their
    // distance and time only moves forward.
    if (on && !g_virtual.load()) {
        AdvanceVirtualTo(RealNowMs());
    } else if (!on && g_virtual.load()) {
        const uint64_t real = RealNowMs();
        const uint64_t reached = g_virtual_now.load();
        if (reached > real) g_real_offset.fetch_add(reached - real);
    }
    g_virtual.store(on);
    detail::WakeAllQueues();
}

void AdvanceBy(uint32_t ms) {
    if (!g_virtual.load()) {
        // Without virtual time there is nothing to step: wait it out and catch up once.
        Sleep(ms);
        Pump();
        return;
    }
    const uint64_t target = NowMs() + ms;
    Pump();
    while (auto due = detail::NextTimerDueAfter(NowMs())) {
        if (*due > target) break;
        AdvanceVirtualTo(*due);
        detail::WakeAllQueues();
        Pump();
    }
    AdvanceVirtualTo(target);
    detail::WakeAllQueues();
    Pump();
}

}  // namespace test
}  // namespace platform

DWORD GetTickCount() {
    return static_cast<DWORD>(platform::NowMs());
}

void Sleep(DWORD ms) {
    if (g_virtual.load()) {
        g_virtual_now.fetch_add(ms);
        platform::detail::WakeAllQueues();
        return;
    }
    if (ms == 0) {
        std::this_thread::yield();
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

void platform::SleepUnlessStopped(DWORD ms, std::stop_token stop) {
    if (stop.stop_requested()) return;
    if (g_virtual.load() || !stop.stop_possible()) {
        Sleep(ms);
        return;
    }
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait_for(lock, stop, std::chrono::milliseconds(ms), [] { return false; });
}
