#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nimba::sim {

// How the virtual mouse starts: receiver in, awake, cable out, Bluetooth LE off, 80 %.
struct SimConfig {
    bool cable = false;
    bool receiver = true;
    bool ble = false;
    bool awake = true;
    int battery = 80;
    std::optional<bool> charging;  // unset: charging while the cable is in
};

// `key=value` lines (cable, receiver, ble, awake, charging: on/off, in/out, yes/no, 1/0;
// battery: 0..100); `#` starts a comment. Unknown keys and unreadable values keep the default.
SimConfig ParseSimConfig(std::string_view text);
// The defaults when the file cannot be read.
SimConfig LoadSimConfig(const std::string& path);

}  // namespace nimba::sim
