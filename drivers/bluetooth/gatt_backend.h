#pragma once

// What a Bluetooth stack offers the Windows-shaped functions of gatt_api.cpp: its devices, the
// GATT services of the connected ones, their characteristics and descriptors, writes and
// notifications. BlueZ and the virtual mouse each provide one; the functions turn them into
// device paths, handles and records.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace nimba::gatt {

struct DeviceInfo {
    std::string address;  // "D0:F0:F1:A2:B3:C4"
    std::string name;
    bool connected = false;
    std::string modalias;  // "usb:v045Ep0047d0001", empty when unknown
};

struct ServiceInfo {
    std::string id;  // the stack's name for it, unique while it exists
    std::string uuid;
    DeviceInfo device;
};

// Attribute handles are the stack's; 0 when it does not tell.
struct CharacteristicInfo {
    std::string id;
    std::string uuid;
    uint16_t handle = 0;
    std::vector<std::string> flags;  // "read", "write", "notify", ... as BlueZ names them
};

struct DescriptorInfo {
    std::string id;
    std::string uuid;
    uint16_t handle = 0;
};

class GattBackend {
public:
    using ValueSink = std::function<void(std::span<const uint8_t> value)>;

    virtual ~GattBackend() = default;
    virtual std::vector<DeviceInfo> Devices() = 0;
    // The services of connected devices.
    virtual std::vector<ServiceInfo> Services() = 0;
    virtual std::vector<CharacteristicInfo> Characteristics(const std::string& service) = 0;
    virtual std::vector<DescriptorInfo> Descriptors(const std::string& characteristic) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadDescriptor(const std::string& descriptor) = 0;
    // A write with response; false when the device refused it or could not be reached.
    virtual bool Write(const std::string& characteristic, std::span<const uint8_t> value) = 0;
    // Values of the characteristic go to `sink`, on a thread of the backend, until StopNotify.
    virtual bool StartNotify(const std::string& characteristic, ValueSink sink) = 0;
    virtual void StopNotify(const std::string& characteristic) = 0;
};

// The library's one backend, made at first use.
GattBackend& Backend();

}  // namespace nimba::gatt
