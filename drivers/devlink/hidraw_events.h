#pragma once

struct udev;
struct udev_monitor;

namespace nimba::devlink {

// The system's hidraw device events (arrival, removal, change), through libudev. Without a
// udev daemon the kernel's own events are taken. fd() is -1 when neither can be had.
class HidrawEvents {
public:
    HidrawEvents();
    ~HidrawEvents();
    HidrawEvents(const HidrawEvents&) = delete;
    HidrawEvents& operator=(const HidrawEvents&) = delete;

    int fd() const;
    // Takes one event off the descriptor; which device it concerns is not looked at.
    void Take() const;

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

}  // namespace nimba::devlink
