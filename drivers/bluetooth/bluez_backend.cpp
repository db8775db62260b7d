// BlueZ on the system bus behind the Windows-shaped Bluetooth functions: devices, services,
// characteristics and descriptors come from org.bluez's object manager, writes are WriteValue
// with a response, notifications StartNotify/StopNotify with the values read from
// PropertiesChanged on a thread of this library.

#include <poll.h>
#include <sys/eventfd.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "gatt_backend.h"

namespace nimba::gatt {
namespace {

constexpr char kBluez[] = "org.bluez";
constexpr char kDevice[] = "org.bluez.Device1";
constexpr char kService[] = "org.bluez.GattService1";
constexpr char kCharacteristic[] = "org.bluez.GattCharacteristic1";
constexpr char kDescriptor[] = "org.bluez.GattDescriptor1";

struct Properties {
    std::map<std::string, std::string> text;  // strings and object paths
    std::map<std::string, bool> flags;
    std::map<std::string, std::vector<std::string>> lists;
};
// path -> interface -> properties
using Objects = std::map<std::string, std::map<std::string, Properties>>;

// One property value, of the kinds BlueZ's objects use here; anything else is skipped.
int ReadValue(sd_bus_message* m, const std::string& name, Properties& into) {
    const char* contents = nullptr;
    int r = sd_bus_message_peek_type(m, nullptr, &contents);
    if (r < 0) return r;
    const std::string type = contents != nullptr ? contents : "";
    if (type == "s" || type == "o") {
        const char* value = nullptr;
        r = sd_bus_message_read(m, "v", type.c_str(), &value);
        if (r >= 0) into.text[name] = value;
    } else if (type == "b") {
        int value = 0;
        r = sd_bus_message_read(m, "v", "b", &value);
        if (r >= 0) into.flags[name] = value != 0;
    } else if (type == "as") {
        r = sd_bus_message_enter_container(m, 'v', "as");
        if (r < 0) return r;
        char** strv = nullptr;
        r = sd_bus_message_read_strv(m, &strv);
        if (r >= 0 && strv != nullptr) {
            for (char** s = strv; *s != nullptr; ++s) into.lists[name].emplace_back(*s);
        }
        for (char** s = strv; strv != nullptr && *s != nullptr; ++s) std::free(*s);
        std::free(strv);
        if (r >= 0) r = sd_bus_message_exit_container(m);
    } else {
        r = sd_bus_message_skip(m, "v");
    }
    return r;
}

// a{sa{sv}}
int ReadInterfaces(sd_bus_message* m, std::map<std::string, Properties>& into) {
    int r = sd_bus_message_enter_container(m, 'a', "{sa{sv}}");
    if (r < 0) return r;
    while ((r = sd_bus_message_enter_container(m, 'e', "sa{sv}")) > 0) {
        const char* interface = nullptr;
        if ((r = sd_bus_message_read(m, "s", &interface)) < 0) return r;
        Properties& properties = into[interface];
        if ((r = sd_bus_message_enter_container(m, 'a', "{sv}")) < 0) return r;
        while ((r = sd_bus_message_enter_container(m, 'e', "sv")) > 0) {
            const char* name = nullptr;
            if ((r = sd_bus_message_read(m, "s", &name)) < 0) return r;
            if ((r = ReadValue(m, name, properties)) < 0) return r;
            if ((r = sd_bus_message_exit_container(m)) < 0) return r;
        }
        if (r < 0 || (r = sd_bus_message_exit_container(m)) < 0) return r;
        if ((r = sd_bus_message_exit_container(m)) < 0) return r;
    }
    if (r < 0) return r;
    return sd_bus_message_exit_container(m);
}

// "/org/bluez/hci0/dev_X/service000c/char000d" -> 0x000d: BlueZ names the objects after their
// attribute handles.
uint16_t HandleOf(const std::string& path) {
    if (path.size() < 4) return 0;
    const std::string digits = path.substr(path.size() - 4);
    if (digits.find_first_not_of("0123456789abcdef") != std::string::npos) return 0;
    return static_cast<uint16_t>(std::strtoul(digits.c_str(), nullptr, 16));
}

class BluezStack final : public GattBackend {
public:
    ~BluezStack() override {
        if (events_thread_.joinable()) {
            const uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(stop_fd_, &one, sizeof one);
            events_thread_.join();
        }
        if (stop_fd_ >= 0) ::close(stop_fd_);
        if (calls_ != nullptr) sd_bus_flush_close_unref(calls_);
    }

    std::vector<DeviceInfo> Devices() override {
        std::vector<DeviceInfo> devices;
        for (const auto& [path, interfaces] : ManagedObjects()) {
            if (auto it = interfaces.find(kDevice); it != interfaces.end())
                devices.push_back(DeviceOf(it->second));
        }
        return devices;
    }

    std::vector<ServiceInfo> Services() override {
        std::vector<ServiceInfo> services;
        const Objects objects = ManagedObjects();
        for (const auto& [path, interfaces] : objects) {
            auto service = interfaces.find(kService);
            if (service == interfaces.end()) continue;
            auto owner = objects.find(Text(service->second, "Device"));
            if (owner == objects.end() || !owner->second.contains(kDevice)) continue;
            const DeviceInfo device = DeviceOf(owner->second.at(kDevice));
            if (device.connected) services.push_back({path, Text(service->second, "UUID"), device});
        }
        return services;
    }

    std::vector<CharacteristicInfo> Characteristics(const std::string& service) override {
        std::vector<CharacteristicInfo> found;
        for (const auto& [path, interfaces] : ManagedObjects()) {
            auto it = interfaces.find(kCharacteristic);
            if (it == interfaces.end() || Text(it->second, "Service") != service) continue;
            auto flags = it->second.lists.find("Flags");
            found.push_back(
                {path, Text(it->second, "UUID"), HandleOf(path),
                 flags != it->second.lists.end() ? flags->second : std::vector<std::string>{}});
        }
        return found;
    }

    std::vector<DescriptorInfo> Descriptors(const std::string& characteristic) override {
        std::vector<DescriptorInfo> found;
        for (const auto& [path, interfaces] : ManagedObjects()) {
            auto it = interfaces.find(kDescriptor);
            if (it == interfaces.end() || Text(it->second, "Characteristic") != characteristic)
                continue;
            found.push_back({path, Text(it->second, "UUID"), HandleOf(path)});
        }
        return found;
    }

    std::optional<std::vector<uint8_t>> ReadDescriptor(const std::string& descriptor) override {
        std::lock_guard lock(calls_mutex_);
        if (!Connect()) return std::nullopt;
        sd_bus_message* reply = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int r = sd_bus_call_method(calls_, kBluez, descriptor.c_str(), kDescriptor, "ReadValue",
                                   &error, &reply, "a{sv}", 0);
        sd_bus_error_free(&error);
        std::optional<std::vector<uint8_t>> value;
        const void* bytes = nullptr;
        size_t size = 0;
        if (r >= 0 && sd_bus_message_read_array(reply, 'y', &bytes, &size) >= 0) {
            const auto* begin = static_cast<const uint8_t*>(bytes);
            value.emplace(begin, begin + size);
        }
        sd_bus_message_unref(reply);
        return value;
    }

    bool Write(const std::string& characteristic, std::span<const uint8_t> value) override {
        std::lock_guard lock(calls_mutex_);
        if (!Connect()) return false;
        sd_bus_message* call = nullptr;
        int r = sd_bus_message_new_method_call(calls_, &call, kBluez, characteristic.c_str(),
                                               kCharacteristic, "WriteValue");
        if (r >= 0) r = sd_bus_message_append_array(call, 'y', value.data(), value.size());
        // With a response: the mouse confirms each report.
        if (r >= 0) r = sd_bus_message_append(call, "a{sv}", 1, "type", "s", "request");
        sd_bus_error error = SD_BUS_ERROR_NULL;
        if (r >= 0) r = sd_bus_call(calls_, call, 0, &error, nullptr);
        sd_bus_error_free(&error);
        sd_bus_message_unref(call);
        return r >= 0;
    }

    bool StartNotify(const std::string& characteristic, ValueSink sink) override {
        if (!StartEvents()) return false;
        {
            std::lock_guard lock(sinks_mutex_);
            sinks_[characteristic] = std::move(sink);
        }
        if (Call(characteristic, "StartNotify")) return true;
        std::lock_guard lock(sinks_mutex_);
        sinks_.erase(characteristic);
        return false;
    }

    void StopNotify(const std::string& characteristic) override {
        {
            std::lock_guard lock(sinks_mutex_);
            sinks_.erase(characteristic);
        }
        Call(characteristic, "StopNotify");
    }

private:
    static std::string Text(const Properties& p, const char* name) {
        auto it = p.text.find(name);
        return it != p.text.end() ? it->second : std::string{};
    }

    static DeviceInfo DeviceOf(const Properties& p) {
        std::string name = Text(p, "Alias");
        if (name.empty()) name = Text(p, "Name");
        auto connected = p.flags.find("Connected");
        return {Text(p, "Address"), name, connected != p.flags.end() && connected->second,
                Text(p, "Modalias")};
    }

    // Under calls_mutex_. A connection the bus has dropped (the daemon restarted) is made anew.
    bool Connect() {
        if (calls_ != nullptr && sd_bus_is_open(calls_) <= 0)
            calls_ = sd_bus_flush_close_unref(calls_);
        if (calls_ == nullptr && sd_bus_open_system(&calls_) < 0) calls_ = nullptr;
        return calls_ != nullptr;
    }

    bool Call(const std::string& path, const char* method) {
        std::lock_guard lock(calls_mutex_);
        if (!Connect()) return false;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        const int r = sd_bus_call_method(calls_, kBluez, path.c_str(), kCharacteristic, method,
                                         &error, nullptr, "");
        sd_bus_error_free(&error);
        return r >= 0;
    }

    Objects ManagedObjects() {
        std::lock_guard lock(calls_mutex_);
        Objects objects;
        if (!Connect()) return objects;
        sd_bus_message* reply = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int r = sd_bus_call_method(calls_, kBluez, "/", "org.freedesktop.DBus.ObjectManager",
                                   "GetManagedObjects", &error, &reply, "");
        // Every operation starts here, so a connection found dropped is retried once.
        if (r < 0 && sd_bus_is_open(calls_) <= 0 && Connect()) {
            sd_bus_error_free(&error);
            r = sd_bus_call_method(calls_, kBluez, "/", "org.freedesktop.DBus.ObjectManager",
                                   "GetManagedObjects", &error, &reply, "");
        }
        sd_bus_error_free(&error);
        if (r >= 0) r = sd_bus_message_enter_container(reply, 'a', "{oa{sa{sv}}}");
        while (r >= 0 && (r = sd_bus_message_enter_container(reply, 'e', "oa{sa{sv}}")) > 0) {
            const char* path = nullptr;
            if ((r = sd_bus_message_read(reply, "o", &path)) < 0) break;
            if ((r = ReadInterfaces(reply, objects[path])) < 0) break;
            r = sd_bus_message_exit_container(reply);
        }
        sd_bus_message_unref(reply);
        // A reply that cannot be read whole is no list at all.
        if (r < 0) objects.clear();
        return objects;
    }

    // The thread that reads notifications, on a connection of its own.
    bool StartEvents() {
        std::lock_guard lock(events_mutex_);
        if (events_running_) return true;
        // A thread whose connection was dropped has ended; a new one takes its place.
        if (events_thread_.joinable()) events_thread_.join();
        if (stop_fd_ >= 0) ::close(stop_fd_);
        stop_fd_ = -1;
        sd_bus* bus = nullptr;
        if (sd_bus_open_system(&bus) < 0) return false;
        if (sd_bus_match_signal(bus, nullptr, nullptr, nullptr, "org.freedesktop.DBus.Properties",
                                "PropertiesChanged", &BluezStack::OnPropertiesChanged, this) < 0 ||
            (stop_fd_ = eventfd(0, EFD_CLOEXEC)) < 0) {
            sd_bus_flush_close_unref(bus);
            return false;
        }
        events_running_ = true;
        events_thread_ = std::thread([this, bus] { RunEvents(bus); });
        return true;
    }

    void RunEvents(sd_bus* bus) {
        for (;;) {
            int r = sd_bus_process(bus, nullptr);
            if (r > 0) continue;
            if (r < 0) break;
            pollfd fds[2] = {{sd_bus_get_fd(bus), static_cast<short>(sd_bus_get_events(bus)), 0},
                             {stop_fd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR) break;
            if ((fds[1].revents & POLLIN) != 0) break;
        }
        sd_bus_flush_close_unref(bus);
        events_running_ = false;
    }

    static int OnPropertiesChanged(sd_bus_message* m, void* userdata, sd_bus_error*) {
        auto* self = static_cast<BluezStack*>(userdata);
        const char* interface = nullptr;
        if (sd_bus_message_read(m, "s", &interface) < 0 ||
            std::strcmp(interface, kCharacteristic) != 0)
            return 0;
        ValueSink sink;
        {
            std::lock_guard lock(self->sinks_mutex_);
            auto it = self->sinks_.find(sd_bus_message_get_path(m));
            if (it == self->sinks_.end()) return 0;
            sink = it->second;
        }
        if (sd_bus_message_enter_container(m, 'a', "{sv}") < 0) return 0;
        while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
            const char* name = nullptr;
            if (sd_bus_message_read(m, "s", &name) < 0) return 0;
            if (std::strcmp(name, "Value") != 0) {
                sd_bus_message_skip(m, "v");
            } else if (sd_bus_message_enter_container(m, 'v', "ay") >= 0) {
                const void* bytes = nullptr;
                size_t size = 0;
                if (sd_bus_message_read_array(m, 'y', &bytes, &size) >= 0)
                    sink({static_cast<const uint8_t*>(bytes), size});
                sd_bus_message_exit_container(m);
            }
            sd_bus_message_exit_container(m);
        }
        return 0;
    }

    std::mutex calls_mutex_;
    sd_bus* calls_ = nullptr;
    std::mutex events_mutex_;
    std::thread events_thread_;
    std::atomic<bool> events_running_{false};
    int stop_fd_ = -1;
    std::mutex sinks_mutex_;
    std::map<std::string, ValueSink> sinks_;
};

}  // namespace

GattBackend& Backend() {
    static BluezStack stack;
    return stack;
}

}  // namespace nimba::gatt
