#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace nimba {

// The Bluetooth LE side of the mouse as the link manager and the dispatcher use it.
class BleTransport {
public:
    using ValueHandler = std::function<void(const uint8_t* data, uint32_t size)>;

    virtual ~BleTransport() = default;
    // The system's Bluetooth library; without it every write fails and no notice arrives.
    virtual bool Load(const std::string& path) = 0;
    virtual void Unload() = 0;
    // The whole report in one write; 1 = written, 0 = not. Any thread.
    virtual int32_t BleWriteReport(const uint8_t* data, uint32_t length) = 0;
    // Which device interface is the mouse; empty strings = none.
    virtual void SetMatchStrings(const std::string& vid, const std::string& pid) = 0;
    // Starts delivering the notifying characteristic's values to `handler`, on a thread of
    // the system's library.
    virtual void BleOpenNotifications(ValueHandler handler) = 0;
    // Ends every notification registration held; once it returns, `handler` is not running
    // and is not called again.
    virtual void BleCloseNotifications() = 0;
};

}  // namespace nimba
