#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace nimba {

// What the mouse reports back, as four bytes: 0x47, class, value low, value high.
inline constexpr uint8_t kNoticeId = 0x47;
inline constexpr uint8_t kNoticeDpiStage = 0x10;     // value 1..8: the active stage
inline constexpr uint8_t kNoticeReportRate = 0x20;   // value 1..8
inline constexpr uint8_t kNoticePowerStatus = 0x40;  // low byte status, high byte level
inline constexpr uint8_t kNoticeAcknowledge = 0x50;  // low byte 0: accepted
inline constexpr uint8_t kNoticeIgnored = 0x60;      // value 1..10
inline constexpr uint8_t kNoticeLightMode = 0x70;    // bits 4..7: the light mode
inline constexpr uint8_t kNoticeStoreOnly = 0x80;    // value 1..5

inline constexpr uint8_t kPowerFullyCharged = 2;
inline constexpr uint8_t kPowerCharging = 3;

struct DeviceNotice {
    uint8_t notice_class;
    uint16_t value;
};

// Nothing when the notice is to be ignored: wrong id, unknown class, value out of range.
// A power-status level above 100 still passes: the status it carries stays meaningful.
std::optional<DeviceNotice> ParseDeviceNotice(std::span<const uint8_t> bytes);
// The driver libraries' form: word = class * 256 + 0x47.
std::optional<DeviceNotice> ParseDeviceNotice(uint16_t word, uint16_t value);

inline uint8_t PowerStatus(const DeviceNotice& notice) {
    return notice.value & 0xFF;
}
inline uint8_t BatteryLevel(const DeviceNotice& notice) {
    return notice.value >> 8;
}
inline bool Accepted(const DeviceNotice& notice) {
    return (notice.value & 0xFF) == 0;
}
inline uint8_t NoticeLightMode(const DeviceNotice& notice) {
    return (notice.value >> 4) & 0x0F;
}

}  // namespace nimba
