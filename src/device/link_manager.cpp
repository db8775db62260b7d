#include "device/link_manager.h"

#include <future>
#include <utility>

#include "device/ble_presence.h"
#include "device/device_messages.h"
#include "device/mouse_ids.h"
#include "platform/clock.h"
#include "platform/device_notification.h"
#include "platform/messages.h"
#include "platform/module_directory.h"

namespace nimba {
namespace {

constexpr uint32_t kPresenceWord = 0x7F00;
constexpr uint32_t kArrived = 1;
constexpr uint32_t kRemoved = 2;
constexpr uint32_t kFirstNoticeWord = 0x1000;
constexpr uint32_t kLastNoticeWord = 0x9000;
// The device needs a moment after it appears before it takes a feature-device open.
constexpr DWORD kArrivalSettleMs = 1000;

}  // namespace

LinkManager::LinkManager(HWND window, DeviceControls& controls, ProfileAccess& profile,
                         ApplyState& apply, BleTransport& ble, LinkManagerOptions options)
    : window_(window),
      controls_(controls),
      profile_(profile),
      apply_(apply),
      ble_(ble),
      options_(std::move(options)),
      battery_(controls, window),
      intake_(links_, controls, battery_, profile, apply.applied_snapshot, window) {
    if (options_.library_folder.empty()) options_.library_folder = GetModuleDirectory();
    if (!options_.ble_mouse_found) options_.ble_mouse_found = BleMouseFound;
    writers_.wired = [this](const uint8_t* data, uint32_t length) {
        return wired_.SetFeature(data, length);
    };
    writers_.wireless = [this](const uint8_t* data, uint32_t length) {
        return wireless_.SetFeature(data, length);
    };
    writers_.ble = [this](const uint8_t* data, uint32_t length) {
        return ble_.BleWriteReport(data, length);
    };
}

uint32_t LinkManager::PresenceEvent(WPARAM wParam) {
    const uint32_t s = wParam == 1 ? kArrived : wParam == 0 ? kRemoved : 0;
    return kPresenceWord << 16 | s;
}

uint32_t LinkManager::NoticeEvent(WPARAM wParam, LPARAM lParam) {
    return static_cast<uint32_t>(wParam & 0xFFFF) << 16 | static_cast<uint32_t>(lParam & 0xFFFF);
}

void LinkManager::StartLinks() {
    std::promise<DWORD> started;
    auto id = started.get_future();
    worker_ = std::jthread([this, &started](std::stop_token stop) {
        // Asking for the id creates this thread's queue, so 1536 can be posted from now on.
        started.set_value(GetCurrentThreadId());
        ApplyWorker(stop);
    });
    worker_id_ = id.get();

    wired_.Load(options_.library_folder + "devlink_2.dll");
    wireless_.Load(options_.library_folder + "devlink_1.dll");
    ble_.Load(options_.library_folder + "BluetoothApis.dll");

    wired_.SetVidPid(kWiredMouseId.vendor, kWiredMouseId.product);
    wired_.OpenDevMonitor(window_, kWiredNoticeMessage, kWiredPresenceMessage);
    if (wired_.OpenFeatureDevice() != 0) {
        links_.wired_link.store(1);
        links_.awaiting_device.store(0);
        controls_.ShowIndicator(Indicator::kSleepLabel, false);
        battery_.ShowCharging();
        controls_.ShowIndicator(Indicator::kWired, true);
    } else {
        links_.wired_link.store(0);
        links_.awaiting_device.store(1);
        controls_.ShowIndicator(Indicator::kSleepLabel, true);
        controls_.ShowIndicator(Indicator::kWired, false);
    }

    wireless_.SetVidPid(kReceiverId.vendor, kReceiverId.product);
    wireless_.OpenDevMonitor(window_, kWirelessNoticeMessage, kWirelessPresenceMessage);
    if (wireless_.OpenFeatureDevice() != 0) {
        SetTimer(window_, kWirelessWatchdogTimer, kWirelessWatchdogMs);
        links_.wireless_link.store(1);
        controls_.ShowIndicator(Indicator::kWireless, true);
    } else {
        links_.wireless_link.store(0);
        controls_.ShowIndicator(Indicator::kWireless, false);
    }

    links_.ble_link.store(options_.ble_mouse_found() ? 1 : 0);
    const bool any = links_.wired_link.load() == 1 || links_.wireless_link.load() == 1 ||
                     links_.ble_link.load() == 1;
    links_.any_link.store(any ? 1 : 0);
    PostMessageW(window_, kLinkStateChangedMessage, 0, 0);
}

void LinkManager::OnWirelessEvent(uint32_t event) {
    const uint32_t hi = event >> 16;
    const uint32_t lo = event & 0xFFFF;
    if (hi == kPresenceWord) {
        if (lo == kArrived) OnWirelessArrival();
        if (lo == kRemoved) OnWirelessRemoval();
    } else if (hi >= kFirstNoticeWord && hi <= kLastNoticeWord) {
        intake_.HandleUsbNotice(static_cast<uint16_t>(hi), static_cast<uint16_t>(lo));
    }
}

void LinkManager::OnWiredEvent(uint32_t event) {
    const uint32_t hi = event >> 16;
    const uint32_t lo = event & 0xFFFF;
    if (hi == kPresenceWord) {
        if (lo == kArrived) OnWiredArrival();
        if (lo == kRemoved) OnWiredRemoval();
    } else if (hi >= kFirstNoticeWord && hi <= kLastNoticeWord) {
        intake_.HandleUsbNotice(static_cast<uint16_t>(hi), static_cast<uint16_t>(lo));
    }
}

void LinkManager::UpdateAnyLink(bool present, bool others_up) {
    if (others_up) return;
    links_.any_link.store(present ? 1 : 0);
    PostMessageW(window_, kLinkStateChangedMessage, 0, 0);
}

void LinkManager::OnWirelessArrival() {
    if (links_.wireless_link.load() == 1) return;
    Sleep(kArrivalSettleMs);
    links_.wireless_link.store(1);
    controls_.ShowIndicator(Indicator::kWireless, true);
    controls_.RefreshLinkVisibility();
    wireless_.OpenFeatureDevice();
    SetTimer(window_, kWirelessWatchdogTimer, kWirelessWatchdogMs);
    UpdateAnyLink(true, links_.wired_link.load() == 1 || links_.ble_link.load() != 0);
}

void LinkManager::OnWirelessRemoval() {
    if (links_.wireless_link.load() == 2) return;
    links_.wireless_link.store(2);
    // Without its receiver the mouse is not heard there; hearing it again is its return.
    links_.wireless_awake.store(0);
    controls_.ShowIndicator(Indicator::kWireless, false);
    wireless_.CloseFeatureDevice();
    controls_.RefreshLinkVisibility();
    KillTimer(window_, kWirelessWatchdogTimer);
    UpdateAnyLink(false, links_.wired_link.load() == 1 || links_.ble_link.load() != 0);
}

void LinkManager::OnWiredArrival() {
    if (links_.wired_link.load() == 1) return;
    Sleep(kArrivalSettleMs);
    links_.wired_link.store(1);
    wired_.OpenFeatureDevice();
    links_.awaiting_device.store(0);
    controls_.ShowIndicator(Indicator::kSleepLabel, false);
    controls_.ShowIndicator(Indicator::kWired, true);
    controls_.RefreshLinkVisibility();
    battery_.ResetAnimation();
    battery_.ShowCharging();
    UpdateAnyLink(true, links_.wireless_link.load() == 1 || links_.ble_link.load() != 0);
    PostMessageW(window_, kApplyRequestMessage, kApplyMouseBack, 0);
}

void LinkManager::OnWiredRemoval() {
    if (links_.wired_link.load() == 2) return;
    links_.wired_link.store(2);
    wired_.CloseFeatureDevice();
    links_.awaiting_device.store(1);
    controls_.ShowIndicator(Indicator::kSleepLabel, true);
    controls_.ShowIndicator(Indicator::kWired, false);
    controls_.RefreshLinkVisibility();
    battery_.Clear();
    UpdateAnyLink(false, links_.wireless_link.load() == 1 || links_.ble_link.load() != 0);
}

void LinkManager::SetBleConnected(int connected) {
    links_.ble_link.store(connected);
    const bool usb_up = links_.wireless_link.load() == 1 || links_.wired_link.load() == 1;
    if (connected != 0) {
        ble_.SetMatchStrings(BleVendorMatch(), BleProductMatch());
        SetTimer(window_, kBleNotifySetupTimer, kBleNotifySetupMs);
        links_.awaiting_device.store(0);
        controls_.ShowIndicator(Indicator::kSleepLabel, false);
        controls_.ShowIndicator(Indicator::kBle, true);
        controls_.RefreshLinkVisibility();
        UpdateAnyLink(true, usb_up);
        PostMessageW(window_, kApplyRequestMessage, kApplyMouseBack, 0);
    } else {
        ble_.SetMatchStrings("", "");
        ble_.BleCloseNotifications();
        controls_.ShowIndicator(Indicator::kBle, false);
        if (links_.wireless_awake.load() == 0 && links_.wired_link.load() != 1) {
            controls_.ShowIndicator(Indicator::kSleepLabel, true);
        }
        UpdateAnyLink(false, usb_up);
    }
}

void LinkManager::RegisterForDeviceChanges() {
    // The USB device interface class; with all classes asked for it only marks the record.
    const DEV_BROADCAST_DEVICEINTERFACE_W filter{sizeof(DEV_BROADCAST_DEVICEINTERFACE_W),
                                                 DBT_DEVTYP_DEVICEINTERFACE,
                                                 0,
                                                 {0xA5DCBF10, 0x11D26530, 0xC0001F90, 0xED51B94F},
                                                 {0}};
    if (device_notification_ != nullptr) UnregisterDeviceNotification(device_notification_);
    device_notification_ = RegisterDeviceNotificationW(
        window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
}

void LinkManager::OnWirelessIdle() {
    KillTimer(window_, kWirelessWatchdogTimer);
    links_.wireless_awake.store(0);
    controls_.ShowIndicator(Indicator::kWireless, false);
    controls_.RefreshLinkVisibility();
    if (links_.ble_link.load() == 0 && links_.wired_link.load() != 1) {
        controls_.ShowIndicator(Indicator::kSleepLabel, true);
    }
}

void LinkManager::OpenBleNotifications() {
    ble_.BleOpenNotifications(
        [this](const uint8_t* data, uint32_t size) { intake_.OnBleNotification(data, size); });
}

bool LinkManager::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kWirelessNoticeMessage:
            OnWirelessEvent(NoticeEvent(wParam, lParam));
            return true;
        case kWirelessPresenceMessage:
            OnWirelessEvent(PresenceEvent(wParam));
            return true;
        case kWiredNoticeMessage:
            OnWiredEvent(NoticeEvent(wParam, lParam));
            return true;
        case kWiredPresenceMessage:
            OnWiredEvent(PresenceEvent(wParam));
            return true;
        case kApplyRequestMessage:
            PostThreadMessageW(worker_id_, kApplyMessage, wParam, lParam);
            return true;
        case kBleNoticeMessage:
            intake_.HandleBleNotice(static_cast<uint16_t>(wParam), static_cast<uint16_t>(lParam));
            return true;
        case WM_TIMER:
            switch (wParam) {
                case kWirelessWatchdogTimer:
                    OnWirelessIdle();
                    return true;
                case kChargingAnimationTimer:
                    battery_.StepAnimation();
                    return true;
                case kBleNotifySetupTimer:
                    KillTimer(window_, kBleNotifySetupTimer);
                    OpenBleNotifications();
                    return true;
                default:
                    return false;
            }
        default:
            return false;
    }
}

void LinkManager::ApplyWorker(std::stop_token stop) {
    ApplyContext context{links_, writers_, profile_, apply_, controls_, window_, stop};
    // An asked-for apply that left something undelivered is tried once more when the mouse is
    // next heard: it may have slept through the apply unnoticed by the watchdog. Once only, so
    // that a mouse refusing a report is not sent it again every time it speaks.
    bool retry_when_heard = false;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message != kApplyMessage) continue;
        const bool any_link = links_.wired_link.load() == 1 || links_.wireless_link.load() == 1 ||
                              links_.ble_link.load() == 1;
        if (msg.wParam != kApplyAsked) {
            const bool wanted =
                msg.wParam == kApplyMouseBack || std::exchange(retry_when_heard, false);
            if (!wanted || !any_link || !apply_.undelivered.Any()) continue;
        }
        if (any_link) {
            ApplyProfile(context);
        } else {
            // No mouse to send to; the edit that asked for the apply is still kept.
            KeepUndelivered(context);
            profile_.Save();
        }
        if (msg.wParam == kApplyAsked) retry_when_heard = apply_.undelivered.Any();
    }
}

void LinkManager::StopLinks() {
    if (!worker_.joinable()) return;
    // The worker ends first: an apply still running writes through the libraries and sets
    // the watchdog again at its end. With the links marked gone and the stop requested, its
    // sends and pauses end at once and queued requests are dropped.
    links_.wired_link.store(2);
    links_.wireless_link.store(2);
    links_.ble_link.store(0);
    worker_.request_stop();
    PostThreadMessageW(worker_id_, WM_QUIT, 0, 0);
    worker_.join();
    worker_id_ = 0;

    wireless_.CloseFeatureDevice();
    wireless_.CloseDevMonitor();
    wired_.CloseFeatureDevice();
    wired_.CloseDevMonitor();
    // After the worker: its last write may still have been going through the library.
    ble_.Unload();
    if (device_notification_ != nullptr) UnregisterDeviceNotification(device_notification_);
    device_notification_ = nullptr;
    KillTimer(window_, kWirelessWatchdogTimer);
    KillTimer(window_, kChargingAnimationTimer);
    KillTimer(window_, kBleNotifySetupTimer);
    wired_.Unload();
    wireless_.Unload();
}

}  // namespace nimba
