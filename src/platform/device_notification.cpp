#include "platform/device_notification.h"

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/messages.h"

namespace {

constexpr UINT kRelayMessage = WM_USER;

// One per registration: a window on the recipient's thread that turns a queued change into a
// WM_DEVICECHANGE sent there, with the broadcast alive for as long as it is handled.
struct Relay {
    HWND recipient = nullptr;
    HWND window = nullptr;
    std::deque<std::pair<WPARAM, std::string>> pending;
};

struct Relays {
    std::mutex mutex;
    std::map<HDEVNOTIFY, std::unique_ptr<Relay>> all;
};

Relays& TheRelays() {
    static Relays relays;
    return relays;
}

void RunRelay(Relay* relay) {
    for (;;) {
        DeviceBroadcast broadcast;
        WPARAM event = 0;
        HWND recipient = nullptr;
        {
            std::lock_guard lock(TheRelays().mutex);
            if (!TheRelays().all.contains(relay) || relay->pending.empty()) return;
            event = relay->pending.front().first;
            broadcast.name = std::move(relay->pending.front().second);
            relay->pending.pop_front();
            recipient = relay->recipient;
        }
        SendMessageW(recipient, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&broadcast));
    }
}

}  // namespace

HDEVNOTIFY RegisterDeviceNotificationW(HWND recipient, const void* filter, DWORD) {
    const auto* record = static_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(filter);
    if (record == nullptr || record->dbcc_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        !IsWindow(recipient))
        return nullptr;
    auto relay = std::make_unique<Relay>();
    Relay* raw = relay.get();
    relay->recipient = recipient;
    relay->window = CreatePlatformWindow([raw](HWND, UINT message, WPARAM, LPARAM) {
        if (message == kRelayMessage) RunRelay(raw);
        return LRESULT{0};
    });
    std::lock_guard lock(TheRelays().mutex);
    TheRelays().all.emplace(raw, std::move(relay));
    return raw;
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) {
    std::unique_ptr<Relay> relay;
    {
        std::lock_guard lock(TheRelays().mutex);
        auto it = TheRelays().all.find(handle);
        if (it == TheRelays().all.end()) return FALSE;
        relay = std::move(it->second);
        TheRelays().all.erase(it);
    }
    DestroyPlatformWindow(relay->window);
    return TRUE;
}

namespace platform {

void BroadcastDeviceChange(WPARAM event, const std::string& name) {
    std::lock_guard lock(TheRelays().mutex);
    for (auto& [handle, relay] : TheRelays().all) {
        relay->pending.emplace_back(event, name);
        PostMessageW(relay->window, kRelayMessage, 0, 0);
    }
}

}  // namespace platform
