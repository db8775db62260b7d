// `apply`, `status` and `watch`: the commands that start the links as the app does and talk
// to the mouse.

#include <csignal>
#include <cstdio>
#include <limits>

#include "device/device_messages.h"
#include "device/store_profile_access.h"
#include "mousectl/commands.h"
#include "mousectl/device_session.h"
#include "mousectl/store_session.h"

namespace nimba::mousectl {
namespace {

// How long the mouse has to make itself known after the links start.
constexpr uint32_t kMouseWaitMs = 3000;

bool AnyLinkUp(const LinkState& links) {
    return links.wired_link == 1 || links.wireless_link == 1 || links.ble_link == 1;
}

volatile std::sig_atomic_t g_interrupted = 0;
void OnInterrupt(int) {
    g_interrupted = 1;
}

void PrintNotice(std::ostream& out, UINT msg, WPARAM wParam, LPARAM lParam) {
    const char* link = msg == kWiredNoticeMessage || msg == kWiredPresenceMessage ? "wired"
                       : msg == kBleNoticeMessage                                 ? "ble"
                                                                                  : "wireless";
    char line[64];
    if (msg == kWiredPresenceMessage || msg == kWirelessPresenceMessage) {
        std::snprintf(line, sizeof line, "%s %s", link, wParam == 1 ? "arrived" : "gone");
    } else {
        std::snprintf(line, sizeof line, "%s %04X %04X", link,
                      static_cast<unsigned>(wParam & 0xFFFF),
                      static_cast<unsigned>(lParam & 0xFFFF));
    }
    out << line << std::endl;
}

bool IsNotice(UINT msg) {
    return msg == kWiredNoticeMessage || msg == kWiredPresenceMessage ||
           msg == kWirelessNoticeMessage || msg == kWirelessPresenceMessage ||
           msg == kBleNoticeMessage;
}

}  // namespace

int RunApply(Args args, std::ostream&, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: nimba-mousectl apply\n";
        return kExitUsage;
    }
    StoreSession session;
    StoreProfileAccess profile(session.profiles);
    DeviceSession device(profile);
    LinkState& links = device.links();
    if (links.any_link == 0 ||
        !device.RunUntil([&] { return links.awaiting_device == 0; }, kMouseWaitMs)) {
        err << "nimba-mousectl: no mouse\n";
        return kExitNoMouse;
    }
    device.apply().apply_all = 1;
    device.manager().HandleWindowMessage(kApplyRequestMessage, 0, 0);
    // The worker drops a request when every link went away before it ran.
    device.RunUntil([&] { return device.controls.apply_finished.load() || !AnyLinkUp(links); },
                    std::numeric_limits<uint32_t>::max());
    return kExitOk;
}

int RunStatus(Args args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: nimba-mousectl status\n";
        return kExitUsage;
    }
    StoreSession session;
    StoreProfileAccess profile(session.profiles);
    DeviceSession device(profile);
    LinkState& links = device.links();
    if (links.any_link != 0) {
        device.RunUntil(
            [&] { return !device.controls.battery.empty() || device.controls.charging; },
            kMouseWaitMs);
    }
    out << "wired: " << links.wired_link << "\n"
        << "wireless: " << links.wireless_link << "\n"
        << "ble: " << links.ble_link << "\n"
        << "awake: " << links.wireless_awake << "\n"
        << "battery: " << (device.controls.battery.empty() ? "-" : device.controls.battery) << "\n"
        << "charging: " << (device.controls.charging ? "yes" : "no") << "\n";
    return links.any_link != 0 ? kExitOk : kExitNoMouse;
}

int RunWatch(Args args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: nimba-mousectl watch\n";
        return kExitUsage;
    }
    StoreSession session;
    StoreProfileAccess profile(session.profiles);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    DeviceSession device(profile, [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        if (IsNotice(msg)) PrintNotice(out, msg, wParam, lParam);
    });
    device.RunUntil([] { return g_interrupted != 0; }, std::numeric_limits<uint32_t>::max());
    return kExitOk;
}

}  // namespace nimba::mousectl
