#include "page/low_battery_notice.h"

#include <charconv>

namespace nimba {

void LowBatteryNotice::OnPowerText(std::string_view text) {
    int level = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (ec != std::errc() || std::string_view(end, text.data() + text.size() - end) != "%") return;
    const int threshold = level <= kCriticalLevel ? kCriticalLevel
                          : level <= kLowLevel    ? kLowLevel
                                                  : INT_MAX;
    if (threshold >= warned_at_) return;
    warned_at_ = threshold;
    notify_(level);
}

void LowBatteryNotice::OnPowerTextKey(std::string_view key) {
    if (key == "charging_text") warned_at_ = INT_MAX;
}

}  // namespace nimba
