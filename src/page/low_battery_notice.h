#pragma once

// Tells the user when the mouse's battery runs low: at 15% and again at 5%, once each per
// discharge. It follows the page's power label: a level shown there is a level on battery,
// and the charging text ends the discharge.

#include <climits>
#include <functional>
#include <string_view>

namespace nimba {

class LowBatteryNotice {
public:
    static constexpr int kLowLevel = 15;
    static constexpr int kCriticalLevel = 5;
    using Notify = std::function<void(int level)>;

    explicit LowBatteryNotice(Notify notify) : notify_(std::move(notify)) {}

    // The power label shows `text`: a level such as "14%", or nothing.
    void OnPowerText(std::string_view text);
    // The power label shows the language text of `key`.
    void OnPowerTextKey(std::string_view key);

private:
    Notify notify_;
    int warned_at_ = INT_MAX;  // the lowest threshold told of in this discharge
};

}  // namespace nimba
