#pragma once

// What a simulated mouse posts to the program's window, recorded in order, and the lines of
// its write log.

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "device/device_messages.h"
#include "platform/messages.h"

namespace nimba::test {

// Short names for the notice and presence messages the driver libraries post.
inline constexpr UINT kWirelessNotice = kWirelessNoticeMessage;
inline constexpr UINT kWirelessPresence = kWirelessPresenceMessage;
inline constexpr UINT kWiredNotice = kWiredNoticeMessage;
inline constexpr UINT kWiredPresence = kWiredPresenceMessage;

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

class PostedWindow {
public:
    PostedWindow() {
        hwnd = CreatePlatformWindow([this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
            posted.push_back({message, wParam, lParam});
            return LRESULT{0};
        });
    }
    ~PostedWindow() { DestroyPlatformWindow(hwnd); }
    std::vector<Posted> Take() { return std::exchange(posted, {}); }

    HWND hwnd = nullptr;
    std::vector<Posted> posted;
};

inline std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

template <size_t N>
std::vector<uint8_t> Bytes(const std::array<uint8_t, N>& report) {
    return {report.begin(), report.end()};
}

}  // namespace nimba::test
