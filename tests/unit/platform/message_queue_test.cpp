#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"

namespace {

constexpr UINT kFirst = WM_USER + 1;

HWND IgnoringWindow() {
    return CreatePlatformWindow([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
}

TEST(MessageQueue, DestroyedWindowLosesItsMessagesAndRefusesNewOnes) {
    HWND gone = IgnoringWindow();
    HWND kept = IgnoringWindow();
    SetTimer(gone, 1, 10);
    PostMessageW(gone, kFirst, 1, 0);
    PostMessageW(kept, kFirst, 2, 0);
    DestroyPlatformWindow(gone);
    Sleep(20);  // its timer would be due by now

    MSG msg{};
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessageW(gone, kFirst, 3, 0));
    EXPECT_EQ(SendMessageW(gone, kFirst, 0, 0), 0);
    EXPECT_EQ(SetTimer(gone, 1, 100), 0u);
    EXPECT_EQ(GetMessageW(&msg, gone, 0, 0), -1);  // instead of waiting forever
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, kept);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyPlatformWindow(kept);
}

TEST(MessageQueue, PostsFromManyThreadsArriveCompleteAndInOrderPerSender) {
    constexpr int kThreads = 4;
    constexpr int kEach = 500;
    std::vector<WPARAM> next(kThreads, 0);
    HWND hwnd = CreatePlatformWindow([&](HWND, UINT, WPARAM seq, LPARAM sender) -> LRESULT {
        EXPECT_EQ(seq, next[sender]);
        next[sender] = seq + 1;
        return 0;
    });
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([hwnd, t] {
            for (int i = 0; i < kEach; ++i) PostMessageW(hwnd, kFirst, i, t);
        });
    }
    MSG msg{};
    for (int received = 0; received < kThreads * kEach; ++received) {
        ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
        DispatchMessageW(&msg);
    }
    for (auto& poster : posters) poster.join();
    for (WPARAM count : next) EXPECT_EQ(count, static_cast<WPARAM>(kEach));
    DestroyPlatformWindow(hwnd);
}

// The program's loop woken by a post is the GUI loop test's; here, how a quit ends it.
TEST(ForeignEventLoop, QuitStopsDispatchAndIsReportedOnce) {
    int calls = 0;
    HWND hwnd = CreatePlatformWindow([&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
        ++calls;
        return 0;
    });
    platform::DispatchPending();  // earlier tests on this thread may have left work
    // What was posted after the quit stays for the next dispatch.
    PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 9, 0);
    PostMessageW(hwnd, kFirst, 0, 0);
    EXPECT_EQ(platform::DispatchPending(), 0);
    EXPECT_EQ(platform::TakeQuitMessage(), 9);
    EXPECT_EQ(platform::TakeQuitMessage(), std::nullopt);
    EXPECT_EQ(platform::DispatchPending(), 1);
    EXPECT_EQ(calls, 1);
    DestroyPlatformWindow(hwnd);
}

}  // namespace
