#include "mock_bluez.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace nimba::test {
namespace {

constexpr char kCharacteristic[] = "org.bluez.GattCharacteristic1";

int AppendValue(sd_bus_message* m, const BusValue& value) {
    if (auto* s = std::get_if<std::string>(&value))
        return sd_bus_message_append(m, "v", "s", s->c_str());
    if (auto* o = std::get_if<ObjectPath>(&value))
        return sd_bus_message_append(m, "v", "o", o->path.c_str());
    if (auto* b = std::get_if<bool>(&value)) return sd_bus_message_append(m, "v", "b", *b ? 1 : 0);
    const auto& list = std::get<std::vector<std::string>>(value);
    int r = sd_bus_message_open_container(m, 'v', "as");
    if (r >= 0) r = sd_bus_message_open_container(m, 'a', "s");
    for (const std::string& s : list)
        if (r >= 0) r = sd_bus_message_append(m, "s", s.c_str());
    if (r >= 0) r = sd_bus_message_close_container(m);
    if (r >= 0) r = sd_bus_message_close_container(m);
    return r;
}

}  // namespace

// A session bus's policy lets any client own any name, as the mock's org.bluez needs. The
// daemon prints its address and pid once it listens.
PrivateBus::PrivateBus() {
    FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    char address[512] = {};
    const bool started = daemon && std::fscanf(daemon, "%511s %d", address, &daemon_) == 2;
    if (daemon) pclose(daemon);
    if (!started) throw std::runtime_error("dbus-daemon did not start");
    address_ = address;
    setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
}

PrivateBus::~PrivateBus() {
    kill(daemon_, SIGTERM);
}

MockBluez::MockBluez(const std::string& address, std::vector<BusObject> objects)
    : objects_(std::move(objects)) {
    if (sd_bus_new(&bus_) < 0 || sd_bus_set_address(bus_, address.c_str()) < 0 ||
        sd_bus_set_bus_client(bus_, 1) < 0 || sd_bus_start(bus_) < 0)
        throw std::runtime_error("cannot reach the private bus");
    static const sd_bus_vtable characteristic[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("WriteValue", "aya{sv}", "", &MockBluez::OnCharacteristicCall, 0),
        SD_BUS_METHOD("StartNotify", "", "", &MockBluez::OnCharacteristicCall, 0),
        SD_BUS_METHOD("StopNotify", "", "", &MockBluez::OnCharacteristicCall, 0),
        SD_BUS_VTABLE_END,
    };
    static const sd_bus_vtable descriptor[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("ReadValue", "a{sv}", "ay", &MockBluez::ReadValue, 0),
        SD_BUS_VTABLE_END,
    };
    // sd-bus keeps the standard interfaces to itself; the object list is answered before it.
    int r = sd_bus_add_filter(bus_, nullptr, &MockBluez::GetManagedObjects, this);
    if (r >= 0)
        r = sd_bus_add_fallback_vtable(bus_, nullptr, "/org/bluez", kCharacteristic, characteristic,
                                       nullptr, this);
    if (r >= 0)
        r = sd_bus_add_fallback_vtable(bus_, nullptr, "/org/bluez", "org.bluez.GattDescriptor1",
                                       descriptor, nullptr, this);
    if (r >= 0) r = sd_bus_request_name(bus_, "org.bluez", 0);
    if (r < 0) throw std::runtime_error(std::string("cannot serve org.bluez: ") + strerror(-r));
    wake_fd_ = eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Run(); });
}

MockBluez::~MockBluez() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(wake_fd_, &one, sizeof one);
    thread_.join();
    close(wake_fd_);
    sd_bus_flush_close_unref(bus_);
}

void MockBluez::RejectWritesTo(const std::string& path) {
    std::lock_guard lock(mutex_);
    rejecting_.insert(path);
}

void MockBluez::SendValue(const std::string& path, std::vector<uint8_t> value) {
    {
        std::lock_guard lock(mutex_);
        to_send_.emplace_back(path, std::move(value));
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(wake_fd_, &one, sizeof one);
}

std::vector<RecordedWrite> MockBluez::writes() {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::set<std::string> MockBluez::notifying() {
    std::lock_guard lock(mutex_);
    return notifying_;
}

void MockBluez::Run() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
            while (sd_bus_process(bus_, nullptr) > 0) {
            }
            for (const auto& [path, value] : to_send_) {
                sd_bus_message* signal = nullptr;
                sd_bus_message_new_signal(bus_, &signal, path.c_str(),
                                          "org.freedesktop.DBus.Properties", "PropertiesChanged");
                sd_bus_message_append(signal, "s", kCharacteristic);
                sd_bus_message_open_container(signal, 'a', "{sv}");
                sd_bus_message_open_container(signal, 'e', "sv");
                sd_bus_message_append(signal, "s", "Value");
                sd_bus_message_open_container(signal, 'v', "ay");
                sd_bus_message_append_array(signal, 'y', value.data(), value.size());
                sd_bus_message_close_container(signal);
                sd_bus_message_close_container(signal);
                sd_bus_message_close_container(signal);
                sd_bus_message_append(signal, "as", 0);
                sd_bus_send(bus_, signal, nullptr);
                sd_bus_message_unref(signal);
            }
            to_send_.clear();
            sd_bus_flush(bus_);
        }
        pollfd fds[2] = {{sd_bus_get_fd(bus_), POLLIN, 0}, {wake_fd_, POLLIN, 0}};
        poll(fds, 2, 100);
        if (fds[1].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = read(wake_fd_, &count, sizeof count);
        }
    }
}

int MockBluez::GetManagedObjects(sd_bus_message* m, void* userdata, sd_bus_error*) {
    if (!sd_bus_message_is_method_call(m, "org.freedesktop.DBus.ObjectManager",
                                       "GetManagedObjects"))
        return 0;
    auto* self = static_cast<MockBluez*>(userdata);
    sd_bus_message* reply = nullptr;
    int r = sd_bus_message_new_method_return(m, &reply);
    if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "{oa{sa{sv}}}");
    for (const BusObject& object : self->objects_) {
        if (r >= 0) r = sd_bus_message_open_container(reply, 'e', "oa{sa{sv}}");
        if (r >= 0) r = sd_bus_message_append(reply, "o", object.path.c_str());
        if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "{sa{sv}}");
        if (r >= 0) r = sd_bus_message_open_container(reply, 'e', "sa{sv}");
        if (r >= 0) r = sd_bus_message_append(reply, "s", object.interface.c_str());
        if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "{sv}");
        for (const auto& [name, value] : object.properties) {
            if (r >= 0) r = sd_bus_message_open_container(reply, 'e', "sv");
            if (r >= 0) r = sd_bus_message_append(reply, "s", name.c_str());
            if (r >= 0) r = AppendValue(reply, value);
            if (r >= 0) r = sd_bus_message_close_container(reply);
        }
        for (int level = 0; level < 4; ++level)
            if (r >= 0) r = sd_bus_message_close_container(reply);
    }
    if (r >= 0) r = sd_bus_message_close_container(reply);
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r < 0 ? r : 1;
}

int MockBluez::OnCharacteristicCall(sd_bus_message* m, void* userdata, sd_bus_error* error) {
    auto* self = static_cast<MockBluez*>(userdata);
    const std::string path = sd_bus_message_get_path(m);
    const std::string member = sd_bus_message_get_member(m);
    if (member == "StartNotify") {
        self->notifying_.insert(path);
    } else if (member == "StopNotify") {
        self->notifying_.erase(path);
    } else {
        if (self->rejecting_.contains(path))
            return sd_bus_error_set(error, "org.bluez.Error.Failed", "Operation failed");
        const void* bytes = nullptr;
        size_t size = 0;
        sd_bus_message_read_array(m, 'y', &bytes, &size);
        RecordedWrite write{path, {}, {}};
        write.value.assign(static_cast<const uint8_t*>(bytes),
                           static_cast<const uint8_t*>(bytes) + size);
        sd_bus_message_enter_container(m, 'a', "{sv}");
        while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
            const char* key = nullptr;
            const char* text = nullptr;
            sd_bus_message_read(m, "s", &key);
            if (std::string(key) == "type" && sd_bus_message_read(m, "v", "s", &text) >= 0) {
                write.type = text;
            } else {
                sd_bus_message_skip(m, "v");
            }
            sd_bus_message_exit_container(m);
        }
        self->writes_.push_back(std::move(write));
    }
    return sd_bus_reply_method_return(m, "");
}

int MockBluez::ReadValue(sd_bus_message* m, void*, sd_bus_error*) {
    const uint8_t value[2] = {0, 0};
    sd_bus_message* reply = nullptr;
    int r = sd_bus_message_new_method_return(m, &reply);
    if (r >= 0) r = sd_bus_message_append_array(reply, 'y', value, sizeof value);
    if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
    sd_bus_message_unref(reply);
    return r;
}

}  // namespace nimba::test
