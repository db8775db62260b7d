#pragma once

#include <atomic>
#include <cstdint>

namespace nimba {

// The link flags. Written on the window thread (and `ack_received` by the Bluetooth LE
// notice path), read without locks by the apply worker, so each is an atomic 32-bit value.
struct LinkState {
    // 0 = not found at start, 1 = present, 2 = removed since.
    std::atomic<int32_t> wired_link{0};
    std::atomic<int32_t> wireless_link{0};
    std::atomic<int32_t> ble_link{0};  // 1 while the Bluetooth LE mouse is connected
    std::atomic<int32_t> any_link{0};
    // 1 until a mouse has made itself known; an apply does nothing meanwhile.
    std::atomic<int32_t> awaiting_device{1};
    // 1 while the mouse behind the receiver has been heard within the last 6 s.
    std::atomic<int32_t> wireless_awake{0};
    std::atomic<int32_t> ack_received{0};
};

}  // namespace nimba
