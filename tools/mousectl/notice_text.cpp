#include "mousectl/notice_text.h"

#include <cstdio>

#include "model/dpi_code.h"
#include "mousectl/setting_values.h"
#include "protocol/device_notice.h"

namespace nimba::mousectl {
namespace {

constexpr int kMillisecondsPerSecond = 1000;

std::string PowerText(NoticeLink link, const DeviceNotice& notice) {
    const int status = PowerStatus(notice);
    if (status == kPowerFullyCharged) return "fully charged";
    if (status == kPowerCharging || link == NoticeLink::kWired) return "charging";
    return "battery " + std::to_string(BatteryLevel(notice)) + "%";
}

}  // namespace

const char* LinkName(NoticeLink link) {
    switch (link) {
        case NoticeLink::kWired:
            return "wired";
        case NoticeLink::kWireless:
            return "wireless";
        case NoticeLink::kBle:
            return "ble";
    }
    return "";
}

std::string NoticeText(NoticeLink link, uint16_t word, uint16_t value,
                       const ProfileRecord& profile) {
    const auto notice = ParseDeviceNotice(word, value);
    char text[64];
    if (!notice) {
        std::snprintf(text, sizeof text, "ignored notice %04X %04X", word, value);
        return text;
    }
    switch (notice->notice_class) {
        case kNoticeDpiStage:
            return "dpi stage " + std::to_string(value) + " (" +
                   std::to_string(DpiFromCode(profile.dpi_x[value - 1])) + " DPI)";
        case kNoticeReportRate:
            // The mouse reports its polling interval in milliseconds.
            return "report rate " + std::to_string(kMillisecondsPerSecond / value) + " Hz";
        case kNoticePowerStatus:
            return PowerText(link, *notice);
        case kNoticeAcknowledge:
            return Accepted(*notice) ? std::string("acknowledged")
                                     : "refused (" + std::to_string(value & 0xFF) + ")";
        case kNoticeLightMode: {
            const int effect = NoticeLightMode(*notice);
            const std::string name = EffectName(effect);
            return "light effect " + std::to_string(effect) +
                   (name.empty() ? "" : " (" + name + ")");
        }
        default:
            std::snprintf(text, sizeof text, "notice %02X value %u", notice->notice_class,
                          static_cast<unsigned>(value));
            return text;
    }
}

}  // namespace nimba::mousectl
