#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>

#include "device/apply_profile.h"
#include "device/battery_display.h"
#include "device/ble_transport.h"
#include "device/device_controls.h"
#include "device/device_event_intake.h"
#include "device/driver_link.h"
#include "device/link_state.h"
#include "device/link_writers.h"
#include "device/profile_access.h"
#include "platform/win_types.h"

namespace nimba {

struct LinkManagerOptions {
    std::string library_folder;             // empty: the program folder
    std::function<bool()> ble_mouse_found;  // empty: asks hidapi
};

// Finds and follows the mouse on its three links, keeps the link state, and owns the driver
// libraries and the apply worker. Everything but the worker runs on the thread that owns
// `window`, which hands on the device's messages and timers (HandleWindowMessage).
class LinkManager {
public:
    LinkManager(HWND window, DeviceControls& controls, ProfileAccess& profile, ApplyState& apply,
                BleTransport& ble, LinkManagerOptions options = {});
    LinkManager(const LinkManager&) = delete;
    LinkManager& operator=(const LinkManager&) = delete;
    ~LinkManager() { StopLinks(); }

    void StartLinks();
    // Presence and notice messages of the 2.4 GHz and the wired library, as PresenceEvent or
    // NoticeEvent compose them.
    void OnWirelessEvent(uint32_t event);
    void OnWiredEvent(uint32_t event);
    void SetBleConnected(int connected);
    // The 2.4 GHz watchdog expired: the mouse behind the receiver has gone quiet.
    void OnWirelessIdle();
    // From now on device-interface arrivals and removals reach the window as WM_DEVICECHANGE.
    void RegisterForDeviceChanges();
    void StopLinks();

    // The device's messages (1537..1542) and timers (512, 515, 516) on the window; false for
    // anything else. 1541 is forwarded to the worker as 1536.
    bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

    static uint32_t PresenceEvent(WPARAM wParam);
    static uint32_t NoticeEvent(WPARAM wParam, LPARAM lParam);

    LinkState& links() { return links_; }
    BatteryDisplay& battery() { return battery_; }
    DeviceEventIntake& intake() { return intake_; }
    DWORD worker_thread_id() const { return worker_id_; }

private:
    void ApplyWorker(std::stop_token stop);
    void OnWirelessArrival();
    void OnWirelessRemoval();
    void OnWiredArrival();
    void OnWiredRemoval();
    void OpenBleNotifications();
    // any_link becomes `present` unless one of the other links is up; 1128 tells the window.
    void UpdateAnyLink(bool present, bool others_up);

    HWND window_;
    DeviceControls& controls_;
    ProfileAccess& profile_;
    ApplyState& apply_;
    BleTransport& ble_;
    LinkManagerOptions options_;

    LinkState links_;
    DriverLink wired_;
    DriverLink wireless_;
    LinkWriters writers_;
    BatteryDisplay battery_;
    DeviceEventIntake intake_;

    void* device_notification_ = nullptr;
    std::jthread worker_;
    DWORD worker_id_ = 0;
};

}  // namespace nimba
