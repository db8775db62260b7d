#pragma once

// The device layer started as the app starts it, on a window of the calling thread, for the
// commands that talk to the mouse.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "device/device_controls.h"
#include "device/gatt_ble_transport.h"
#include "device/link_manager.h"
#include "device/profile_access.h"
#include "platform/messages.h"
#include "platform/win_types.h"

namespace nimba::mousectl {

inline constexpr int kExitNoMouse = 3;

// Stands in for the page's controls: keeps what the battery display shows and tells when an
// apply has finished.
class ToolControls final : public DeviceControls {
public:
    void ShowIndicator(Indicator, bool) override {}
    void RefreshLinkVisibility() override {}
    void SetPowerProgress(int value) override { progress_ = value; }
    // The bar is set before the label, so the label's level is the bar's last value.
    void SetPowerText(const std::string& text) override {
        battery = text;
        level = progress_;
        charging = false;
    }
    void SetPowerTextKey(const std::string& key) override { charging = key == "charging_text"; }
    void SelectDpiStage(int) override {}
    void ShowLightMode(int) override {}
    // Told before the ring is hidden, so it holds once `apply_finished` does.
    void ShowMouseBehind(bool behind) override { mouse_behind = behind; }
    void SetApplyRingVisible(bool visible) override {
        if (visible) return;
        apply_finished = true;
        PostMessageW(window, WM_NULL, 0, 0);  // wakes RunUntil, which sleeps until a message
    }

    std::string battery;  // "" until the mouse reports a level
    int level = 0;        // the level that `battery` shows
    bool charging = false;
    std::atomic<bool> apply_finished{false};
    std::atomic<bool> mouse_behind{false};
    HWND window = nullptr;

private:
    int progress_ = 0;
};

class DeviceSession {
public:
    // Starts the links at once; `on_message` sees every message of the window first.
    explicit DeviceSession(ProfileAccess& profile,
                           std::function<void(UINT, WPARAM, LPARAM)> on_message = nullptr);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Handles this thread's messages until `done` holds or `ms` have passed; returns `done()`.
    bool RunUntil(const std::function<bool()>& done, uint32_t ms);

    LinkManager& manager() { return *manager_; }
    LinkState& links() { return manager_->links(); }
    ApplyState& apply() { return apply_; }
    ToolControls controls;

private:
    HWND window_ = nullptr;
    ApplyState apply_;
    GattBleTransport ble_;
    std::function<void(UINT, WPARAM, LPARAM)> on_message_;
    std::unique_ptr<LinkManager> manager_;
};

}  // namespace nimba::mousectl
