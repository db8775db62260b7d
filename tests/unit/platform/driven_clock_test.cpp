#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"

namespace {

constexpr UINT kPing = WM_USER + 20;
constexpr UINT kPause = WM_USER + 21;  // wParam: ms per pause, lParam: how many pauses
constexpr UINT kStarted = WM_USER + 22;
constexpr UINT kPaused = WM_USER + 23;

// The driver (this thread) owns a window recording when its messages arrive; a worker runs a
// message loop whose window tells the driver it starts, then pauses with Sleep and reports the
// end of each pause.
class DrivenClock : public ::testing::Test {
protected:
    void SetUp() override {
        platform::test::UseDrivenClock(true);
        start_ = platform::NowMs();
        driver_ = CreatePlatformWindow([this](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
            seen_.emplace_back(msg, platform::NowMs() - start_);
            return 0;
        });
        worker_ = std::async(std::launch::async, [this] {
            HWND hwnd =
                CreatePlatformWindow([this](HWND, UINT msg, WPARAM ms, LPARAM n) -> LRESULT {
                    if (msg != kPause) return 0;
                    SendMessageW(driver_, kStarted, 0, 0);  // blocks until the driver runs it
                    for (LPARAM i = 0; i < n; ++i) {
                        Sleep(static_cast<DWORD>(ms));
                        PostMessageW(driver_, kPaused, 0, 0);
                    }
                    return 0;
                });
            worker_window_.set_value(hwnd);
            MSG msg{};
            while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
            DestroyPlatformWindow(hwnd);
        });
        worker_hwnd_ = worker_window_.get_future().get();
        SendMessageW(worker_hwnd_, kPing, 0, 0);  // answered only once the worker's loop runs
    }
    void TearDown() override {
        platform::test::UseDrivenClock(false);
        PostMessageW(worker_hwnd_, WM_QUIT, 0, 0);
        EXPECT_EQ(worker_.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        DestroyPlatformWindow(driver_);
    }

    using Seen = std::vector<std::pair<UINT, uint64_t>>;  // (message, ms since start)
    uint64_t start_ = 0;
    HWND driver_ = nullptr;
    Seen seen_;
    std::promise<HWND> worker_window_;
    HWND worker_hwnd_ = nullptr;
    std::future<void> worker_;
};

TEST_F(DrivenClock, OtherThreadsPausesEndInTimeOrderWithTheDriversTimers) {
    const auto real_start = std::chrono::steady_clock::now();
    SetTimer(driver_, 1, 40);
    PostMessageW(worker_hwnd_, kPause, 30, 3);
    platform::test::AdvanceBy(50);
    EXPECT_EQ(seen_, (Seen{{kStarted, 0}, {kPaused, 30}, {WM_TIMER, 40}}));

    platform::test::AdvanceBy(50);
    EXPECT_EQ(seen_, (Seen{{kStarted, 0},
                           {kPaused, 30},
                           {WM_TIMER, 40},
                           {kPaused, 60},
                           {WM_TIMER, 80},
                           {kPaused, 90}}));
    EXPECT_EQ(platform::NowMs() - start_, 100u);
    // The worker's SendMessageW was answered while the driver waited for the worker, not
    // after the driver gave up waiting.
    EXPECT_LT(std::chrono::steady_clock::now() - real_start, std::chrono::seconds(2));
}

TEST_F(DrivenClock, SwitchingOffEndsAPauseAtOnce) {
    PostMessageW(worker_hwnd_, kPause, 3'600'000, 1);
    platform::test::AdvanceBy(0);  // returns once the worker is in its hour-long pause
    EXPECT_EQ(seen_, (Seen{{kStarted, 0}}));
    platform::test::UseDrivenClock(false);
    SetTimer(driver_, 1, 10'000);  // real time from here on: stop waiting after 10 s
    MSG msg{};
    ASSERT_TRUE(GetMessageW(&msg, driver_, 0, 0));
    EXPECT_EQ(msg.message, kPaused);
}

}  // namespace
