// The Bluetooth stack of the demo folder: one paired device, the virtual mouse, connected
// while its Bluetooth LE is on. Its GATT writes reach the mouse, its notices come back as
// notifications, and connecting or disconnecting it is broadcast as a device-interface change
// as the system's HID service would announce it.

#include <mutex>

#include "gatt_backend.h"
#include "platform/device_notification.h"
#include "sim/virtual_mouse.h"

namespace nimba::gatt {
namespace {

using sim::VirtualMouse;

constexpr char kAddress[] = "C4:7D:4F:38:0A:21";
constexpr char kModalias[] = "usb:v045Ep0047d0001";
constexpr char kServiceId[] = "mouse/service000c";
constexpr char kWriteId[] = "mouse/service000c/char000d";
constexpr char kNotifyId[] = "mouse/service000c/char0010";
constexpr char kCccdId[] = "mouse/service000c/char0010/desc0012";
// The HID interface the system adds for a connected Bluetooth LE mouse.
constexpr char kHidInterface[] =
    "\\\\?\\HID#{00001812-0000-1000-8000-00805f9b34fb}_Dev_VID&02045e_PID&0047_REV&0001_"
    "c47d4f380a21#9&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::string Short(const char* hex) {
    return std::string("0000") + hex + "-0000-1000-8000-00805f9b34fb";
}

class SimulatedStack final : public GattBackend {
public:
    SimulatedStack() {
        VirtualMouse::Instance().SetBleListener({
            [](bool connected) {
                platform::BroadcastDeviceChange(
                    connected ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, kHidInterface);
            },
            [this](const std::array<uint8_t, 4>& notice) {
                ValueSink sink;
                {
                    std::lock_guard lock(mutex_);
                    sink = sink_;
                }
                if (sink) sink(notice);
            },
        });
    }
    ~SimulatedStack() override { VirtualMouse::Instance().SetBleListener({}); }

    std::vector<DeviceInfo> Devices() override {
        return {{kAddress, "NIMBA R380X", Connected(), kModalias}};
    }
    std::vector<ServiceInfo> Services() override {
        if (!Connected()) return {};
        return {{kServiceId, Short("fee0"), Devices().front()}};
    }
    std::vector<CharacteristicInfo> Characteristics(const std::string& service) override {
        if (service != kServiceId || !Connected()) return {};
        return {{kWriteId, Short("fee3"), 0x0d, {"read", "write"}},
                {kNotifyId, Short("fee4"), 0x10, {"read", "notify"}}};
    }
    std::vector<DescriptorInfo> Descriptors(const std::string& characteristic) override {
        if (characteristic != kNotifyId) return {};
        return {{kCccdId, Short("2902"), 0x12}};
    }
    std::optional<std::vector<uint8_t>> ReadDescriptor(const std::string& descriptor) override {
        if (descriptor != kCccdId || !Connected()) return std::nullopt;
        std::lock_guard lock(mutex_);
        return std::vector<uint8_t>{static_cast<uint8_t>(sink_ ? 1 : 0), 0};
    }
    bool Write(const std::string& characteristic, std::span<const uint8_t> value) override {
        return characteristic == kWriteId && VirtualMouse::Instance().WriteBle(value);
    }
    bool StartNotify(const std::string& characteristic, ValueSink sink) override {
        if (characteristic != kNotifyId || !Connected()) return false;
        std::lock_guard lock(mutex_);
        sink_ = std::move(sink);
        return true;
    }
    void StopNotify(const std::string& characteristic) override {
        std::lock_guard lock(mutex_);
        if (characteristic == kNotifyId) sink_ = nullptr;
    }

private:
    static bool Connected() { return VirtualMouse::Instance().IsPresent(sim::SimLink::kBle); }

    std::mutex mutex_;
    ValueSink sink_;
};

// Made when the library is loaded, so the mouse's connection changes are announced from the
// start, and gone when it is unloaded.
SimulatedStack g_stack;

}  // namespace

GattBackend& Backend() {
    return g_stack;
}

}  // namespace nimba::gatt
