#include "device/device_event_intake.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "device/device_messages.h"
#include "platform/debug_output.h"
#include "platform/diagnostic_output.h"
#include "platform/messages.h"
#include "protocol/device_notice.h"

namespace nimba {
namespace {

constexpr int kFullLevel = 100;
constexpr uint32_t kNoticeSize = 4;

// The mouse reports the polling interval in ms; the profile holds the index of the rate.
// Any other interval keeps the rate: the index must stay within the four rates.
int32_t ReportRateForInterval(uint16_t interval_ms, int32_t current) {
    switch (interval_ms) {
        case 8:
            return 0;
        case 4:
            return 1;
        case 2:
            return 2;
        case 1:
            return 3;
        default:
            return current;
    }
}

}  // namespace

ProfileRecord DeviceEventIntake::Follow(const std::function<void(ProfileRecord&)>& change) {
    // Only the reported field: every other edit still pending must reach the next apply.
    const ProfileRecord current = profile_.UpdateCurrent(change);
    snapshot_.Update(change);
    profile_.Save();
    return current;
}

bool DeviceEventIntake::HandleCommonNotice(const DeviceNotice& notice) {
    const uint16_t value = notice.value;
    switch (notice.notice_class) {
        case kNoticeDpiStage: {
            const ProfileRecord current =
                Follow([&](ProfileRecord& p) { p.current_dpi_stage = value - 1; });
            controls_.SelectDpiStage(value);
            PostMessageW(window_, kDpiNoticeMessage, 0, current.dpi_x[value - 1]);
            return true;
        }
        case kNoticeReportRate:
            Follow([&](ProfileRecord& p) {
                p.report_rate = ReportRateForInterval(value, p.report_rate);
            });
            return true;
        case kNoticeAcknowledge:
            links_.ack_received.store(Accepted(notice) ? 1 : 0);
            return true;
        case kNoticePowerStatus:
            return false;
        case kNoticeLightMode: {
            const int mode = NoticeLightMode(notice);
            Follow([&](ProfileRecord& p) { p.light_mode = mode; });
            controls_.ShowLightMode(mode);
            return true;
        }
        case kNoticeStoreOnly:
            profile_.Save();
            return true;
        default:
            return true;
    }
}

void DeviceEventIntake::MouseHeard(bool came_back) {
    // The worker sends what has not reached the mouse yet, if anything.
    PostMessageW(window_, kApplyRequestMessage, came_back ? kApplyMouseBack : kApplyMouseHeard, 0);
}

void DeviceEventIntake::HandleUsbNotice(uint16_t word, uint16_t value) {
    const auto notice = ParseDeviceNotice(word, value);
    if (!notice || HandleCommonNotice(*notice)) return;

    const int status = PowerStatus(*notice);
    const int level = BatteryLevel(*notice);
    KillTimer(window_, kWirelessWatchdogTimer);
    SetTimer(window_, kWirelessWatchdogTimer, kWirelessWatchdogMs);
    if (links_.wired_link.load() == 1) {
        MouseHeard(false);
        // On the cable the mouse is charging unless it says it is full.
        links_.wireless_awake.store(0);
        controls_.ShowIndicator(Indicator::kWireless, false);
        controls_.RefreshLinkVisibility();
        if (status == kPowerFullyCharged) {
            battery_.StopCharging();
            battery_.ShowBatteryLevel(kFullLevel);
        } else {
            battery_.ShowCharging();
        }
        return;
    }
    const bool came_back = links_.wireless_awake.load() == 0 || links_.awaiting_device.load() == 1;
    if (links_.wireless_awake.load() == 0) {
        links_.wireless_awake.store(1);
        controls_.ShowIndicator(Indicator::kWireless, true);
        controls_.RefreshLinkVisibility();
    }
    if (status == kPowerCharging) {
        battery_.ShowCharging();
    } else {
        battery_.StopCharging();
        // A level above 100 shows 100. Shown once: the mouse repeats it every few seconds, and
        // each change of the bar is painted at once.
        battery_.ShowBatteryLevel(std::min(level, kFullLevel));
    }
    links_.awaiting_device.store(0);
    controls_.ShowIndicator(Indicator::kSleepLabel, false);
    MouseHeard(came_back);
}

void DeviceEventIntake::HandleBleNotice(uint16_t word, uint16_t value) {
    const auto notice = ParseDeviceNotice(word, value);
    if (!notice || HandleCommonNotice(*notice)) return;

    const int status = PowerStatus(*notice);
    const int level = BatteryLevel(*notice);
    MouseHeard(false);
    if (status == kPowerFullyCharged) {
        battery_.StopCharging();
        battery_.ShowBatteryLevel(kFullLevel);
    } else if (status == kPowerCharging) {
        battery_.ShowCharging();
    } else {
        battery_.StopCharging();
        if (level <= kFullLevel) battery_.ShowBatteryLevel(level);
    }
}

void DeviceEventIntake::OnBleNotification(const uint8_t* data, uint32_t size) {
    if (size == 0) {
        std::fputs("datasize 0\n", platform::DiagnosticOutput());
        return;
    }
    // A value too short for a notice would have us read past its data.
    if (data == nullptr || size < kNoticeSize) return;
    std::fputs("HR ", platform::DiagnosticOutput());
    const uint16_t word = static_cast<uint16_t>(data[0] | data[1] << 8);
    const uint16_t value = static_cast<uint16_t>(data[2] | data[3] << 8);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    wchar_t trace[96];
    std::swprintf(trace, 96, L"dwLeft = %04x, dwRight = %04x, %d:%d:%d\r\n", word, value,
                  local.tm_hour, local.tm_min, local.tm_sec);
    OutputDebugStringW(trace);

    PostMessageW(window_, kBleNoticeMessage, word, value);
}

}  // namespace nimba
