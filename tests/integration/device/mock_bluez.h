#pragma once

// BlueZ as the Bluetooth library of bin/ sees it, on a private bus: a dbus-daemon of the
// test's own and an org.bluez service with BlueZ's object layout (Device1, GattService1,
// GattCharacteristic1, GattDescriptor1 under /org/bluez/hci0, ObjectManager on /). It records
// writes and notification starts and sends value changes when told to.

#include <systemd/sd-bus.h>

#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace nimba::test {

struct ObjectPath {
    std::string path;
};
using BusValue = std::variant<std::string, ObjectPath, bool, std::vector<std::string>>;

struct BusObject {
    std::string path;
    std::string interface;
    std::vector<std::pair<std::string, BusValue>> properties;
};

struct RecordedWrite {
    std::string path;
    std::vector<uint8_t> value;
    std::string type;  // the "type" option
};

// A dbus-daemon of the test's own; DBUS_SYSTEM_BUS_ADDRESS points to it.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    const std::string& address() const { return address_; }

private:
    std::string address_;
    pid_t daemon_ = -1;
};

class MockBluez {
public:
    MockBluez(const std::string& address, std::vector<BusObject> objects);
    ~MockBluez();

    void RejectWritesTo(const std::string& path);
    // A PropertiesChanged of Value on the characteristic.
    void SendValue(const std::string& path, std::vector<uint8_t> value);

    std::vector<RecordedWrite> writes();
    std::set<std::string> notifying();

private:
    static int GetManagedObjects(sd_bus_message* m, void* self, sd_bus_error* error);
    static int OnCharacteristicCall(sd_bus_message* m, void* self, sd_bus_error* error);
    static int ReadValue(sd_bus_message* m, void* self, sd_bus_error* error);
    void Run();

    std::vector<BusObject> objects_;
    sd_bus* bus_ = nullptr;
    int wake_fd_ = -1;
    bool stop_ = false;
    std::mutex mutex_;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> to_send_;
    std::set<std::string> rejecting_;
    std::vector<RecordedWrite> writes_;
    std::set<std::string> notifying_;
    std::thread thread_;
};

}  // namespace nimba::test
