#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "platform/clock_internal.h"

namespace {

enum class Mode { kReal, kVirtual, kDriven };

std::atomic<Mode> g_mode{Mode::kReal};
std::atomic<std::thread::id> g_driver{};
std::atomic<uint64_t> g_virtual_now{0};
// Added to the steady clock so that time never runs backwards after virtual time was used:
// code measuring with unsigned tick differences would otherwise see a huge interval.
std::atomic<uint64_t> g_real_offset{0};

// How long a driver waits for the other threads to settle before it moves the clock anyway:
// a thread stuck on something other than a message or a Sleep must not hang the run.
constexpr std::chrono::seconds kSettlePatience{5};

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

void SwitchTo(Mode next) {
    // Each clock continues from where the other stood, so timers already set keep their
    // distance and time only moves forward.
    const bool was_virtual = g_mode.load() != Mode::kReal;
    const bool virtual_next = next != Mode::kReal;
    if (virtual_next && !was_virtual) {
        AdvanceVirtualTo(RealNowMs());
    } else if (!virtual_next && was_virtual) {
        const uint64_t real = RealNowMs();
        const uint64_t reached = g_virtual_now.load();
        if (reached > real) g_real_offset.fetch_add(reached - real);
    }
    g_mode.store(next);
    // Waiting loops re-check their timers, and threads paused on a driven clock that is gone
    // return.
    platform::detail::WakeAllQueues();
}

// The driver's thread ending (the main thread's: the process exiting) switches the driven
// clock off, or the threads paused on it would wait for a clock nobody moves any more.
struct DriverExit {
    bool driving = false;
    ~DriverExit() {
        if (driving && g_mode.load() == Mode::kDriven &&
            g_driver.load() == std::this_thread::get_id()) {
            platform::test::UseDrivenClock(false);
        }
    }
};
thread_local DriverExit t_driver_exit;

// Lets all that is due at the current time run before the clock moves on; `pump_own` false
// leaves the calling thread's own messages waiting, as they do while it pauses.
void RunDue(bool pump_own) {
    if (g_mode.load() != Mode::kDriven) {
        if (pump_own) platform::test::Pump();
        return;
    }
    if (!platform::detail::PumpUntilOthersIdle(kSettlePatience, pump_own)) {
        std::fprintf(stderr, "platform: threads still busy after %lld s; virtual time moves on\n",
                     static_cast<long long>(kSettlePatience.count()));
    }
}

// Moves virtual time on by `ms` in steps: to each due timer or pause in turn, letting what is
// due run at each.
void StepBy(uint32_t ms, bool pump_own) {
    const uint64_t target = platform::NowMs() + ms;
    RunDue(pump_own);
    while (auto due = platform::detail::NextDueAfter(platform::NowMs())) {
        if (*due > target) break;
        AdvanceVirtualTo(*due);
        platform::detail::WakeAllQueues();
        RunDue(pump_own);
    }
    AdvanceVirtualTo(target);
    platform::detail::WakeAllQueues();
    RunDue(pump_own);
}

}  // namespace

namespace platform {

uint64_t NowMs() {
    return g_mode.load() != Mode::kReal ? g_virtual_now.load() : RealNowMs();
}

namespace detail {
bool VirtualClockOn() {
    return g_mode.load() != Mode::kReal;
}
bool DrivenClockOn() {
    return g_mode.load() == Mode::kDriven;
}
}  // namespace detail

namespace test {

void UseVirtualClock(bool on) {
    SwitchTo(on ? Mode::kVirtual : Mode::kReal);
}

void UseDrivenClock(bool on) {
    if (on) {
        g_driver.store(std::this_thread::get_id());
        t_driver_exit.driving = true;
    }
    SwitchTo(on ? Mode::kDriven : Mode::kReal);
}

void AdvanceBy(uint32_t ms) {
    if (g_mode.load() == Mode::kReal) {
        // Without virtual time there is nothing to step: wait it out and catch up once.
        Sleep(ms);
        Pump();
        return;
    }
    StepBy(ms, true);
}

}  // namespace test
}  // namespace platform

DWORD GetTickCount() {
    return static_cast<DWORD>(platform::NowMs());
}

void Sleep(DWORD ms) {
    const Mode mode = g_mode.load();
    if (mode == Mode::kDriven) {
        if (std::this_thread::get_id() != g_driver.load()) {
            platform::detail::SleepUntil(platform::NowMs() + ms);
        } else {
            // The driver pausing is the window thread blocked: the other threads live through
            // the pause as they would in real time, and only then does the driver go on. A
            // jump of the clock would let them run the pause's work while it goes on.
            StepBy(ms, false);
        }
        return;
    }
    if (mode != Mode::kReal) {
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
    if (g_mode.load() == Mode::kDriven && std::this_thread::get_id() != g_driver.load()) {
        detail::SleepUntil(NowMs() + ms, stop);
        return;
    }
    if (g_mode.load() != Mode::kReal || !stop.stop_possible()) {
        Sleep(ms);
        return;
    }
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait_for(lock, stop, std::chrono::milliseconds(ms), [] { return false; });
}
