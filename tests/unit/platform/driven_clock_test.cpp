#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"

namespace {

constexpr UINT kPause = WM_USER + 1;  // wParam: ms per pause, lParam: how many pauses
constexpr UINT kPaused = WM_USER + 2;
constexpr UINT kPauseAndPost = WM_USER + 3;  // as kPause, posting kPaused instead

TEST(DrivenClock, OtherThreadsPausesEndAsTheDriverPassesThemOrSwitchesOff) {
    using std::chrono::seconds;
    using Seen = std::vector<std::pair<UINT, uint64_t>>;  // (message, ms since start)
    platform::test::UseDrivenClock(true);
    const uint64_t start = platform::NowMs();
    const auto real_start = std::chrono::steady_clock::now();
    Seen seen;
    HWND driver = CreatePlatformWindow([&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
        seen.emplace_back(msg, platform::NowMs() - start);
        return 0;
    });
    std::promise<HWND> created;
    auto worker = std::async(std::launch::async, [&] {
        created.set_value(CreatePlatformWindow([&](HWND, UINT msg, WPARAM ms, LPARAM n) {
            for (LPARAM i = 0; (msg == kPause || msg == kPauseAndPost) && i < n; ++i) {
                Sleep(static_cast<DWORD>(ms));
                if (msg == kPauseAndPost) PostMessageW(driver, kPaused, 0, 0);
                if (msg == kPause) SendMessageW(driver, kPaused, 0, 0);  // waits for the driver
            }
            return LRESULT{0};
        }));
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    });
    HWND worker_window = created.get_future().get();
    SendMessageW(worker_window, WM_USER, 0, 0);  // answered once the worker's loop runs

    SetTimer(driver, 1, 40);
    PostMessageW(worker_window, kPause, 30, 3);
    platform::test::AdvanceBy(50);
    EXPECT_EQ(seen, (Seen{{kPaused, 30}, {WM_TIMER, 40}}));
    platform::test::AdvanceBy(50);
    EXPECT_EQ(seen,
              (Seen{{kPaused, 30}, {WM_TIMER, 40}, {kPaused, 60}, {WM_TIMER, 80}, {kPaused, 90}}));
    EXPECT_EQ(platform::NowMs() - start, 100u);
    // The worker's SendMessageW was answered while the driver waited, not once it gave up.
    EXPECT_LT(std::chrono::steady_clock::now() - real_start, seconds(2));

    // The driver's own pause: the worker lives through all of its pauses, its posts wait.
    KillTimer(driver, 1);
    PostMessageW(worker_window, kPauseAndPost, 30, 3);
    platform::test::AdvanceBy(0);
    const size_t before = seen.size();
    Sleep(100);
    EXPECT_EQ(seen.size(), before);
    platform::test::Pump();
    EXPECT_EQ(seen.size(), before + 3);

    PostMessageW(worker_window, kPause, 3'600'000, 1);
    platform::test::AdvanceBy(0);  // returns once the worker is in its hour-long pause
    platform::test::UseDrivenClock(false);
    DestroyPlatformWindow(driver);  // so the report after the pause is not waited for
    PostMessageW(worker_window, WM_QUIT, 0, 0);
    EXPECT_EQ(worker.wait_for(seconds(10)), std::future_status::ready);
}

}  // namespace
