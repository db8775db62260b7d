#pragma once

// What the driver libraries and the simulated mouse post to the program's window, recorded in
// order, and the lines of the simulator's write log.

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
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

// A window on the test thread that records every message and hands each to `route`.
class RecordingWindow {
public:
    RecordingWindow() {
        hwnd = CreatePlatformWindow([this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
            messages.push_back({message, wParam, lParam});
            if (route) route(message, wParam, lParam);
            return LRESULT{0};
        });
    }
    ~RecordingWindow() { DestroyPlatformWindow(hwnd); }

    std::vector<Posted> Take() { return std::exchange(messages, {}); }
    // How many `message`s came, with the given wParam when there is one.
    int Count(UINT message, std::optional<WPARAM> wParam = {}) const {
        return static_cast<int>(std::count_if(messages.begin(), messages.end(), [&](auto& m) {
            return m.message == message && (!wParam || m.wParam == *wParam);
        }));
    }

    HWND hwnd = nullptr;
    std::vector<Posted> messages;
    std::function<void(UINT, WPARAM, LPARAM)> route;
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
