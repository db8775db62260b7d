#pragma once

// Win32-shaped message system: one queue per thread, window handles bound to the thread
// that created them, timers by (window, id). Posting is safe from any thread.

#include <functional>
#include <optional>

#include "platform/win_types.h"

using WindowProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// A window handle whose messages the calling thread's queue receives and DispatchMessageW
// hands to `proc`. Destroying it drops its pending messages and kills its timers; a thread
// waiting in SendMessageW to it gets 0. The procedure is not called for the destruction.
// A thread's windows end with the thread.
HWND CreatePlatformWindow(WindowProc proc);
void DestroyPlatformWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// Also creates the calling thread's queue; ids are small, nonzero and never reused.
DWORD GetCurrentThreadId();
BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Same thread: calls the window procedure directly. Other thread: posts and waits.
LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// FALSE when the thread has no queue yet: a new thread should call GetCurrentThreadId (which
// creates its queue) before it hands out its id.
BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
// Sent messages from other threads are run inside GetMessageW and PeekMessageW.
// Blocks until a message is there; FALSE on WM_QUIT. Filters as in Win32 (0 = none);
// -1 when the filter window is not, or no longer, a window.
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
LRESULT DispatchMessageW(const MSG* msg);
void PostQuitMessage(int exitCode);

// WM_TIMER with wParam = id reaches the window every `elapseMs` (at least 10), once per
// period however late the loop is; re-setting an id restarts it. 0 for an unknown window.
// Once KillTimer returns, the window sees no WM_TIMER of that id, not even one already taken
// from the queue but not yet dispatched.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, void* unused = nullptr);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

namespace platform {

// For an event loop that is not GetMessageW (Qt's): a descriptor that becomes readable
// when the calling thread's queue has work, the dispatch of everything due, and how long
// until the next timer is due.
int QueueWakeFd();
// Dispatches every pending message and due timer of the calling thread; returns how many.
// It stops at WM_QUIT, which TakeQuitMessage then reports (with its exit code) once.
int DispatchPending();
std::optional<int> TakeQuitMessage();
std::optional<uint32_t> MsUntilNextTimer();

}  // namespace platform
