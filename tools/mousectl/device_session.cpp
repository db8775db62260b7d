#include "mousectl/device_session.h"

#include "platform/clock.h"
#include "platform/messages.h"

namespace nimba::mousectl {
namespace {

// Short enough for prompt notices, long enough to leave the processor alone.
constexpr DWORD kPollMs = 5;

}  // namespace

DeviceSession::DeviceSession(ProfileAccess& profile,
                             std::function<void(UINT, WPARAM, LPARAM)> on_message)
    : on_message_(std::move(on_message)) {
    window_ = CreatePlatformWindow([this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (on_message_) on_message_(msg, wParam, lParam);
        if (manager_) manager_->HandleWindowMessage(msg, wParam, lParam);
        return LRESULT{0};
    });
    apply_.applied_snapshot.Set(profile.CopyCurrent().value_or(ProfileRecord{}));
    manager_ = std::make_unique<LinkManager>(window_, controls, profile, apply_, ble_);
    manager_->StartLinks();
}

DeviceSession::~DeviceSession() {
    manager_->StopLinks();
    manager_.reset();
    DestroyPlatformWindow(window_);
}

bool DeviceSession::RunUntil(const std::function<bool()>& done, uint32_t ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done() && GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (!done()) Sleep(kPollMs);
    }
    return done();
}

}  // namespace nimba::mousectl
