#include "protocol/device_notice.h"

namespace nimba {

namespace {

bool InRange(uint16_t value, uint16_t low, uint16_t high) {
    return value >= low && value <= high;
}

bool ValueFitsClass(uint8_t notice_class, uint16_t value) {
    switch (notice_class) {
        case kNoticeDpiStage:
        case kNoticeReportRate:
            return InRange(value, 1, 8);
        case kNoticeIgnored:
            return InRange(value, 1, 10);
        case kNoticeStoreOnly:
            return InRange(value, 1, 5);
        case kNoticePowerStatus:
        case kNoticeAcknowledge:
        case kNoticeLightMode:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<DeviceNotice> ParseDeviceNotice(uint16_t word, uint16_t value) {
    if ((word & 0xFF) != kNoticeId) return std::nullopt;
    const auto notice_class = static_cast<uint8_t>(word >> 8);
    if (!ValueFitsClass(notice_class, value)) return std::nullopt;
    return DeviceNotice{notice_class, value};
}

std::optional<DeviceNotice> ParseDeviceNotice(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4) return std::nullopt;
    return ParseDeviceNotice(static_cast<uint16_t>(bytes[0] | bytes[1] << 8),
                             static_cast<uint16_t>(bytes[2] | bytes[3] << 8));
}

}  // namespace nimba
