#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "platform/messages.h"

namespace {

constexpr UINT kAsk = WM_USER + 10;
constexpr UINT kPing = WM_USER + 11;

// A sender waits on a target thread that is busy; then the target goes before running the
// message. The sender gets 0, not a hang.
void SendWhileTargetGoes(bool end_thread) {
    std::atomic<bool> asked{false};
    std::promise<std::pair<HWND, DWORD>> target_ready;
    std::promise<void> go;
    std::thread target([&] {
        HWND hwnd = CreatePlatformWindow([&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
            asked = true;
            return 99;
        });
        target_ready.set_value({hwnd, GetCurrentThreadId()});
        go.get_future().wait();  // busy: its queue is not read meanwhile
        if (end_thread) return;
        DestroyPlatformWindow(hwnd);
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    });
    auto [target_window, target_id] = target_ready.get_future().get();

    std::promise<HWND> sender_ready;
    std::promise<LRESULT> sent;
    std::thread sender([&] {
        // A waiting sender answers messages sent to it; an answer proves it is waiting.
        sender_ready.set_value(
            CreatePlatformWindow([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; }));
        sent.set_value(SendMessageW(target_window, kAsk, 0, 0));
    });
    EXPECT_EQ(SendMessageW(sender_ready.get_future().get(), kPing, 0, 0), 1);
    go.set_value();

    auto result = sent.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(result.get(), 0);
    EXPECT_FALSE(asked);
    sender.join();
    if (!end_thread) PostThreadMessageW(target_id, WM_QUIT, 0, 0);
    target.join();
}

TEST(SendMessage, TargetWindowDestroyedOrThreadEndedWhileSenderWaits) {
    SendWhileTargetGoes(false);
    SendWhileTargetGoes(true);
}

}  // namespace
