// `apply`, `status` and `watch`: the commands that start the links as the app does and talk
// to the mouse.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <limits>

#include "device/device_messages.h"
#include "device/store_profile_access.h"
#include "mousectl/commands.h"
#include "mousectl/device_session.h"
#include "mousectl/json_writer.h"
#include "mousectl/notice_text.h"
#include "mousectl/profile_change.h"
#include "mousectl/store_session.h"

namespace nimba::mousectl {
namespace {

// How long the mouse has to report its battery after the links start.
constexpr uint32_t kMouseWaitMs = 3000;

volatile std::sig_atomic_t g_interrupted = 0;
void OnInterrupt(int) {
    g_interrupted = 1;
}

// Local time to the millisecond, so a log of notices can be lined up with other logs.
std::string Timestamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    std::snprintf(
        text + length, sizeof text - length, ".%03d",
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000));
    return text;
}

NoticeLink LinkOf(UINT msg) {
    if (msg == kWiredNoticeMessage || msg == kWiredPresenceMessage) return NoticeLink::kWired;
    if (msg == kBleNoticeMessage) return NoticeLink::kBle;
    return NoticeLink::kWireless;
}

bool IsPresence(UINT msg) {
    return msg == kWiredPresenceMessage || msg == kWirelessPresenceMessage;
}

bool IsNotice(UINT msg) {
    return IsPresence(msg) || msg == kWiredNoticeMessage || msg == kWirelessNoticeMessage ||
           msg == kBleNoticeMessage;
}

void PrintRawNotice(std::ostream& out, UINT msg, WPARAM wParam, LPARAM lParam) {
    char line[64];
    if (IsPresence(msg)) {
        std::snprintf(line, sizeof line, "%s %s", LinkName(LinkOf(msg)),
                      wParam == 1 ? "arrived" : "gone");
    } else {
        std::snprintf(line, sizeof line, "%s %04X %04X", LinkName(LinkOf(msg)),
                      static_cast<unsigned>(wParam & 0xFFFF),
                      static_cast<unsigned>(lParam & 0xFFFF));
    }
    out << line << std::endl;
}

void PrintNotice(std::ostream& out, UINT msg, WPARAM wParam, LPARAM lParam,
                 const ProfileRecord& profile) {
    out << Timestamp() << ' ' << LinkName(LinkOf(msg)) << ' ';
    if (IsPresence(msg)) {
        out << (wParam == 1 ? "arrived" : "gone");
    } else {
        out << NoticeText(LinkOf(msg), static_cast<uint16_t>(wParam), static_cast<uint16_t>(lParam),
                          profile);
    }
    out << std::endl;
}

}  // namespace

int RunApply(const Invocation&, std::ostream&, std::ostream& err) {
    StoreSession session;  // saves follow: a damaged store is set aside first, not overwritten
    session.Unlock();
    return ApplyToMouse(session.profiles, CurrentProfile(session.profiles), true, err);
}

int RunStatus(const Invocation& call, std::ostream& out, std::ostream& err) {
    StoreSession session;  // saves follow: a damaged store is set aside first, not overwritten
    session.Unlock();
    StoreProfileAccess profile(session.profiles, SaveOrSay(session.profiles, err));
    DeviceSession device(profile);
    LinkState& links = device.links();
    if (links.any_link != 0) {
        device.RunUntil(
            [&] { return !device.controls.battery.empty() || device.controls.charging; },
            kMouseWaitMs);
    }
    const ToolControls& controls = device.controls;
    if (call.json) {
        JsonWriter json(out);
        json.BeginObject();
        json.Key("wired").Number(int64_t{links.wired_link});
        json.Key("wireless").Number(int64_t{links.wireless_link});
        json.Key("ble").Number(int64_t{links.ble_link});
        json.Key("awake").Number(int64_t{links.wireless_awake});
        json.Key("battery").Number(controls.battery.empty() ? std::nullopt
                                                            : std::optional(controls.level));
        json.Key("charging").Bool(controls.charging);
        json.EndObject();
        out << "\n";
    } else {
        out << "wired: " << links.wired_link << "\n"
            << "wireless: " << links.wireless_link << "\n"
            << "ble: " << links.ble_link << "\n"
            << "awake: " << links.wireless_awake << "\n"
            << "battery: " << (controls.battery.empty() ? "-" : controls.battery) << "\n"
            << "charging: " << (controls.charging ? "yes" : "no") << "\n";
    }
    return links.any_link != 0 ? kExitOk : kExitNoMouse;
}

int RunWatch(const Invocation& call, std::ostream& out, std::ostream& err) {
    StoreSession session;  // saves follow: a damaged store is set aside first, not overwritten
    session.Unlock();
    StoreProfileAccess profile(session.profiles, SaveOrSay(session.profiles, err));
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    // Printed before the device layer takes the notice in, so a DPI stage shows the DPI of the
    // profile the mouse is running.
    DeviceSession device(profile, [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        if (!IsNotice(msg)) return;
        if (call.raw) {
            PrintRawNotice(out, msg, wParam, lParam);
        } else {
            PrintNotice(out, msg, wParam, lParam, profile.CopyCurrent().value_or(ProfileRecord{}));
        }
    });
    device.RunUntil([] { return g_interrupted != 0; }, std::numeric_limits<uint32_t>::max());
    return kExitOk;
}

}  // namespace nimba::mousectl
