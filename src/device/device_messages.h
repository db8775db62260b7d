#pragma once

#include "platform/win_types.h"

namespace nimba {

// Messages on the main window's handle, which the link manager shares.
inline constexpr UINT kLinkStateChangedMessage = 1128;  // any_link may have changed
inline constexpr UINT kDpiNoticeMessage = 1129;         // lParam = DPI code of the new stage
inline constexpr UINT kWirelessNoticeMessage = 1537;    // wParam = notice word, lParam = value
inline constexpr UINT kWirelessPresenceMessage = 1538;  // wParam 1 = arrived, 0 = gone
inline constexpr UINT kWiredNoticeMessage = 1539;
inline constexpr UINT kWiredPresenceMessage = 1540;
inline constexpr UINT kApplyRequestMessage = 1541;  // forwarded to the worker as 1536
// A Bluetooth LE notice carried from the notification thread to the window thread.
inline constexpr UINT kBleNoticeMessage = 1542;

// Thread message to the apply worker.
inline constexpr UINT kApplyMessage = 1536;

// wParam of an apply request and of the worker's message: who asks. The mouse's own requests
// send only what has not reached it yet, and nothing when it has everything.
inline constexpr WPARAM kApplyAsked = 0;       // the user, a dialog or a tool
inline constexpr WPARAM kApplyMouseBack = 1;   // a link came back or the mouse woke up
inline constexpr WPARAM kApplyMouseHeard = 2;  // the mouse spoke; see LinkManager::ApplyWorker

// Timers on the same handle.
inline constexpr UINT_PTR kWirelessWatchdogTimer = 512;
inline constexpr UINT kWirelessWatchdogMs = 6000;
inline constexpr UINT_PTR kChargingAnimationTimer = 515;
inline constexpr UINT kChargingAnimationMs = 30;
inline constexpr UINT_PTR kBleNotifySetupTimer = 516;
inline constexpr UINT kBleNotifySetupMs = 2000;

}  // namespace nimba
