#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"

namespace {

class VirtualTimers : public ::testing::Test {
protected:
    void SetUp() override {
        platform::test::UseVirtualClock(true);
        start_ = platform::NowMs();
        hwnd_ = CreatePlatformWindow([this](HWND, UINT msg, WPARAM id, LPARAM) -> LRESULT {
            if (msg == WM_TIMER) {
                fired_.emplace_back(id, platform::NowMs() - start_);
                if (on_timer_) on_timer_(id);
            }
            return 0;
        });
    }
    void TearDown() override {
        DestroyPlatformWindow(hwnd_);
        platform::test::UseVirtualClock(false);
    }

    using Fired = std::vector<std::pair<WPARAM, uint64_t>>;  // (timer id, ms since start)
    uint64_t start_ = 0;
    HWND hwnd_ = nullptr;
    Fired fired_;
    std::function<void(WPARAM)> on_timer_;
};

TEST_F(VirtualTimers, LateLoopGetsOneMessageNotABurst) {
    SetTimer(hwnd_, 7, 100);
    Sleep(1050);  // time passes with nobody pumping
    platform::test::Pump();
    EXPECT_EQ(fired_, (Fired{{7, 1050}}));
    platform::test::AdvanceBy(100);
    EXPECT_EQ(fired_.size(), 2u);
}

TEST_F(VirtualTimers, NeverFireAfterKillTimerEvenWhenAlreadyDue) {
    SetTimer(hwnd_, 1, 100);
    SetTimer(hwnd_, 2, 100);
    on_timer_ = [this](WPARAM id) { KillTimer(hwnd_, id == 1 ? 2 : 1); };
    Sleep(100);  // both due together; whichever runs first kills the other
    platform::test::Pump();
    ASSERT_EQ(fired_.size(), 1u);
    on_timer_ = nullptr;
    KillTimer(hwnd_, fired_[0].first);

    SetTimer(hwnd_, 3, 50);
    Sleep(60);
    EXPECT_TRUE(KillTimer(hwnd_, 3));
    EXPECT_FALSE(KillTimer(hwnd_, 3));
    platform::test::AdvanceBy(500);
    EXPECT_EQ(fired_.size(), 1u);

    // Taken from the queue, then stopped or restarted (say by another thread) before dispatch.
    SetTimer(hwnd_, 4, 100);
    Sleep(100);
    MSG taken{};
    ASSERT_TRUE(PeekMessageW(&taken, nullptr, 0, 0, PM_REMOVE));
    KillTimer(hwnd_, 4);
    DispatchMessageW(&taken);
    SetTimer(hwnd_, 5, 100);
    Sleep(100);
    ASSERT_TRUE(PeekMessageW(&taken, nullptr, 0, 0, PM_REMOVE));
    SetTimer(hwnd_, 5, 100);
    DispatchMessageW(&taken);
    EXPECT_EQ(fired_.size(), 1u);
    platform::test::AdvanceBy(100);
    EXPECT_EQ(fired_.size(), 2u);
}

TEST(Clock, NeverRunsBackwardsWhenVirtualTimeEnds) {
    platform::test::UseVirtualClock(true);
    Sleep(3'600'000);  // an hour of virtual time costs none
    const uint64_t reached = platform::NowMs();
    platform::test::UseVirtualClock(false);
    EXPECT_GE(platform::NowMs(), reached);
}

}  // namespace
