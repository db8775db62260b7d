#include "mousectl/device_session.h"

#include <poll.h>

#include <algorithm>
#include <climits>

#include "platform/clock.h"
#include "platform/messages.h"

namespace nimba::mousectl {

DeviceSession::DeviceSession(ProfileAccess& profile,
                             std::function<void(UINT, WPARAM, LPARAM)> on_message)
    : on_message_(std::move(on_message)) {
    window_ = CreatePlatformWindow([this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (on_message_) on_message_(msg, wParam, lParam);
        if (manager_) manager_->HandleWindowMessage(msg, wParam, lParam);
        return LRESULT{0};
    });
    controls.window = window_;
    apply_.applied_snapshot.Set(profile.CopyCurrent().value_or(ProfileRecord{}));
    manager_ = std::make_unique<LinkManager>(window_, controls, profile, apply_, ble_);
    manager_->StartLinks();
    // As the program's page does once its profiles are loaded: a Bluetooth LE mouse found at
    // start gets its notifications opened.
    manager_->SetBleConnected(manager_->links().ble_link.load());
}

DeviceSession::~DeviceSession() {
    manager_->StopLinks();
    manager_.reset();
    DestroyPlatformWindow(window_);
}

bool DeviceSession::RunUntil(const std::function<bool()>& done, uint32_t ms) {
    const uint64_t end = platform::NowMs() + ms;
    pollfd queue{platform::QueueWakeFd(), POLLIN, 0};
    for (;;) {
        platform::DispatchPending();
        if (done()) return true;
        const uint64_t now = platform::NowMs();
        if (now >= end) return false;
        uint64_t wait = end - now;
        if (auto timer = platform::MsUntilNextTimer()) wait = std::min<uint64_t>(wait, *timer);
        // Asleep until a message, a timer or a signal: an idle session costs no processor time.
        ::poll(&queue, 1, static_cast<int>(std::min<uint64_t>(wait, INT_MAX)));
    }
}

}  // namespace nimba::mousectl
