#pragma once

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/win_types.h"

namespace nimba::devlink {

// Follows one device for a driver library's monitor, on a thread of its own that sleeps until
// something happens: a device event, an input report or the stop. Each device event makes it
// look for the device again, so arrival and removal are posted at once, and a device that was
// there but could not be opened is tried again on the next event.
class DeviceWatch {
public:
    struct Messages {
        HWND window;
        UINT notice;    // wParam = notice word, lParam = notice value
        UINT presence;  // wParam 1 = arrived, 0 = gone
    };
    // A descriptor that becomes readable on a device event, and how to take one event off it.
    struct Events {
        int fd;
        std::function<void()> take;
    };
    // The device node of the device followed, when it is there.
    using Find = std::function<std::optional<std::string>()>;

    DeviceWatch(Messages messages, Events events, Find find);
    ~DeviceWatch();
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;

private:
    void Run();
    // Opens the device's node when it is found, closes it when it is not, and posts the
    // presence when that changed (`post` false: the state at start, which is not news).
    void Refresh(bool post);
    void ReadNotices();
    void CloseInput();

    const Messages messages_;
    const Events events_;
    const Find find_;
    const int stop_fd_;
    int input_ = -1;  // the device's node, open for its input reports
    bool present_ = false;
    std::thread thread_;  // last: starts once everything above is set
};

}  // namespace nimba::devlink
