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
    // The whole report in one write; 1 = written, 0 = not.
    virtual int32_t BleWriteReport(const uint8_t* data, uint32_t length) = 0;
    // Which device interface is the mouse; empty strings = none.
    virtual void SetMatchStrings(const std::string& vid, const std::string& pid) = 0;
    // Starts delivering the notifying characteristic's values to `handler`, on a thread of
    // the transport's own.
    virtual void OpenNotifications(ValueHandler handler) = 0;
    // Ends a held notification registration; nothing when none is held.
    virtual void CloseNotifications() = 0;
};

// Until the GATT transport exists: every write fails and no notice ever arrives.
class AbsentBleTransport final : public BleTransport {
public:
    int32_t BleWriteReport(const uint8_t*, uint32_t) override { return 0; }
    void SetMatchStrings(const std::string&, const std::string&) override {}
    void OpenNotifications(ValueHandler) override {}
    void CloseNotifications() override {}
};

}  // namespace nimba
