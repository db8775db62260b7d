#include "device/gatt_ble_transport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <optional>

#include "device/bluetooth_api_table.h"
#include "platform/debug_output.h"
#include "platform/diagnostic_output.h"
#include "platform/text_encoding.h"

namespace nimba {
namespace {

constexpr uint32_t kWriteUuid = 0xFEE3;
constexpr uint32_t kNotifyUuid = 0xFEE4;
constexpr USHORT kLastWritableDescriptorHandle = 254;
// 259 bytes of two-byte units elsewhere: as many units of this system's wide characters.
constexpr DWORD kPropertyBufferSize = 259 / 2 * sizeof(WCHAR);
constexpr HRESULT kMoreData = HRESULT_FROM_WIN32(ERROR_MORE_DATA);

// The 32 bits at the start of the UUID union: the short UUID and the two bytes after it.
bool HasUuid(const BTH_LE_GATT_CHARACTERISTIC& c, uint32_t uuid) {
    uint32_t head = 0;
    std::memcpy(&head, &c.CharacteristicUuid.Value, sizeof head);
    return head == uuid;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// A list the GATT functions give in two calls, the count and then the records; each failure
// printed with its message.
template <typename Record, typename Query>
std::optional<std::vector<Record>> ReadRecords(Query query, const char* size_message,
                                               const char* actual_message) {
    USHORT wanted = 0;
    HRESULT hr = query(0, nullptr, &wanted);
    if (hr != kMoreData) {
        std::fprintf(platform::DiagnosticOutput(), size_message, hr);
        return std::nullopt;
    }
    std::vector<Record> records(wanted);
    USHORT actual = 0;
    hr = query(wanted, records.data(), &actual);
    if (hr != S_OK) {
        std::fprintf(platform::DiagnosticOutput(), actual_message, hr);
        return std::nullopt;
    }
    if (actual != wanted) {
        std::fprintf(platform::DiagnosticOutput(),
                     "buffer size and buffer size actual size mismatch\r\n");
        return std::nullopt;
    }
    return records;
}

// Closes what CreateFileW opened, whichever way the interface is left.
class ServiceHandle {
public:
    ServiceHandle(const BluetoothApiTable& api, const std::wstring& path)
        : api_(api),
          handle_(api.create_file(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr)) {}
    ~ServiceHandle() {
        if (ok()) api_.close_handle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    const BluetoothApiTable& api_;
    HANDLE handle_;
};

// The first service's characteristics, each failure printed as the transport has always
// printed it; nothing when a step fails.
std::optional<std::vector<BTH_LE_GATT_CHARACTERISTIC>> ReadCharacteristics(
    const BluetoothApiTable& api, HANDLE device) {
    USHORT count = 0;
    HRESULT hr = api.get_services(device, 0, nullptr, &count, BLUETOOTH_GATT_FLAG_NONE);
    if (hr != kMoreData)
        std::fprintf(platform::DiagnosticOutput(), "BluetoothGATTGetServices - Buffer Size %d\r\n",
                     hr);
    // No service to read: the size query has said why.
    if (count == 0) return std::nullopt;
    std::vector<BTH_LE_GATT_SERVICE> services(count);
    hr = api.get_services(device, count, services.data(), &count, BLUETOOTH_GATT_FLAG_NONE);
    if (hr != S_OK) {
        std::fprintf(platform::DiagnosticOutput(), "BluetoothGATTGetServices - Buffer Size %d\r\n",
                     hr);
        return std::nullopt;
    }

    return ReadRecords<BTH_LE_GATT_CHARACTERISTIC>(
        [&](USHORT size, BTH_LE_GATT_CHARACTERISTIC* records, USHORT* actual) {
            return api.get_characteristics(device, &services[0], size, records, actual,
                                           BLUETOOTH_GATT_FLAG_NONE);
        },
        "BluetoothGATTGetCharacteristics - Buffer Size %d\r\n",
        "BluetoothGATTGetCharacteristics - Actual Data %x\r\n");
}

std::optional<std::vector<BTH_LE_GATT_DESCRIPTOR>> ReadDescriptors(
    const BluetoothApiTable& api, HANDLE device, BTH_LE_GATT_CHARACTERISTIC& characteristic) {
    return ReadRecords<BTH_LE_GATT_DESCRIPTOR>(
        [&](USHORT size, BTH_LE_GATT_DESCRIPTOR* records, USHORT* actual) {
            return api.get_descriptors(device, &characteristic, size, records, actual,
                                       BLUETOOTH_GATT_FLAG_NONE);
        },
        "BluetoothGATTGetDescriptors - Buffer Size %x\r\n",
        "BluetoothGATTGetDescriptors - Actual Data %x\r\n");
}

// Reads the descriptor (the value is not used) and, for a handle below 255, asks for
// notifications through it.
bool ConfigureDescriptor(const BluetoothApiTable& api, HANDLE device,
                         BTH_LE_GATT_DESCRIPTOR& descriptor) {
    USHORT size = 0;
    HRESULT hr =
        api.get_descriptor_value(device, &descriptor, 0, nullptr, &size, BLUETOOTH_GATT_FLAG_NONE);
    if (hr != kMoreData) {
        std::fprintf(platform::DiagnosticOutput(),
                     "BluetoothGATTGetDescriptorValue - Buffer Size %d\r\n", hr);
        return false;
    }
    std::vector<uint8_t> block(std::max<size_t>(size, sizeof(BTH_LE_GATT_DESCRIPTOR_VALUE)));
    auto* read = reinterpret_cast<BTH_LE_GATT_DESCRIPTOR_VALUE*>(block.data());
    hr = api.get_descriptor_value(device, &descriptor, static_cast<ULONG>(block.size()), read,
                                  nullptr, BLUETOOTH_GATT_FLAG_NONE);
    if (hr != S_OK) {
        std::fprintf(platform::DiagnosticOutput(),
                     "BluetoothGATTGetDescriptorValue - Actual Data %x\r\n", hr);
        return false;
    }
    if (descriptor.AttributeHandle > kLastWritableDescriptorHandle) return true;
    BTH_LE_GATT_DESCRIPTOR_VALUE value{};
    value.DescriptorType = ClientCharacteristicConfiguration;
    value.ClientCharacteristicConfiguration.IsSubscribeToNotification = 1;
    value.ClientCharacteristicConfiguration.IsSubscribeToIndication = 0;
    hr = api.set_descriptor_value(device, &descriptor, &value, BLUETOOTH_GATT_FLAG_NONE);
    if (hr != S_OK) {
        std::fprintf(platform::DiagnosticOutput(),
                     "BluetoothGATTGetDescriptorValue - Actual Data %x\r\n", hr);
    } else {
        std::fprintf(platform::DiagnosticOutput(), "setting notification for service handle %x\n",
                     descriptor.ServiceHandle);
    }
    return true;
}

}  // namespace

GattBleTransport::GattBleTransport() : api_(std::make_unique<BluetoothApiTable>()) {}

GattBleTransport::~GattBleTransport() {
    Unload();
}

bool GattBleTransport::Load(const std::string& path) {
    Unload();
    return api_->Load(path);
}

void GattBleTransport::Unload() {
    BleCloseNotifications();
    api_->Unload();
}

void GattBleTransport::SetMatchStrings(const std::string& vid, const std::string& pid) {
    std::lock_guard lock(mutex_);
    match_vid_ = platform::FromUtf8(vid);
    match_pid_ = platform::FromUtf8(pid);
    refreshed_ = false;
}

bool GattBleTransport::MatchSnapshot::Matches(const std::wstring& path) const {
    const std::wstring upper = Upper(path);
    if (upper.find(vid) == std::wstring::npos || upper.find(pid) == std::wstring::npos)
        return false;
    for (const std::wstring& token : tokens)
        if (upper.find(token) != std::wstring::npos) return true;
    return false;
}

GattBleTransport::MatchSnapshot GattBleTransport::Snapshot() const {
    std::lock_guard lock(mutex_);
    MatchSnapshot snapshot{match_vid_, match_pid_, {}};
    for (int i = 0; i < connected_count_; ++i) {
        const ConnectedDevice& device = connected_devices_[i];
        // An empty token would match every path.
        if (device.found == 1 && device.text[0] != 0) snapshot.tokens.push_back(Upper(device.text));
    }
    return snapshot;
}

void GattBleTransport::BleRefreshConnected() {
    if (!api_->loaded()) return;
    std::array<ConnectedDevice, kMaxConnectedDevices> table{};
    int count = 0;
    HDEVINFO set = api_->get_class_devs(&GUID_DEVCLASS_BLUETOOTH, nullptr, nullptr, DIGCF_PRESENT);
    if (set != INVALID_HANDLE_VALUE) {
        SP_DEVINFO_DATA device{sizeof(SP_DEVINFO_DATA), {}, 0, 0};
        for (DWORD index = 0;
             count < kMaxConnectedDevices && api_->enum_device_info(set, index, &device) != FALSE;
             ++index) {
            ULONG status = 0, problem = 0;
            if (api_->get_dev_node_status(&status, &problem, device.DevInst, 0) != CR_SUCCESS ||
                (status & DN_DISCONNECTED) != 0)
                continue;
            alignas(WCHAR) BYTE name[kPropertyBufferSize] = {};
            alignas(WCHAR) BYTE ids[kPropertyBufferSize] = {};
            if (!api_->get_device_registry_property(set, &device, SPDRP_FRIENDLYNAME, nullptr, name,
                                                    kPropertyBufferSize, nullptr) ||
                !api_->get_device_registry_property(set, &device, SPDRP_HARDWAREID, nullptr, ids,
                                                    kPropertyBufferSize, nullptr))
                continue;
            std::wstring first(
                reinterpret_cast<const WCHAR*>(ids),
                wcsnlen(reinterpret_cast<const WCHAR*>(ids), kPropertyBufferSize / sizeof(WCHAR)));
            const std::string narrow = platform::ToUtf8(first).substr(0, 260);
            const size_t cut = narrow.find('_');
            if (cut != std::string::npos) {
                const size_t end = narrow.find('_', cut + 1);
                const std::wstring token =
                    platform::FromUtf8(narrow.substr(cut + 1, end - cut - 1));
                ConnectedDevice& entry = table[count];
                token.copy(entry.text, std::size(entry.text) - 1);
                entry.found = 1;
            }
            ++count;
        }
        api_->destroy_device_info_list(set);
    }
    std::lock_guard lock(mutex_);
    connected_devices_ = table;
    connected_count_ = count;
    refreshed_ = true;
}

template <typename Visit>
int GattBleTransport::ForEachServiceInterface(Visit&& visit) {
    HDEVINFO set = api_->get_class_devs(&GUID_BLUETOOTH_GATT_SERVICE_DEVICE_INTERFACE, nullptr,
                                        nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return 0;
    int index = 0;
    for (;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{sizeof(SP_DEVICE_INTERFACE_DATA), {}, 0, 0};
        if (!api_->enum_device_interfaces(
                set, nullptr, &GUID_BLUETOOTH_GATT_SERVICE_DEVICE_INTERFACE, index, &data))
            break;
        DWORD size = 0;
        if (api_->get_device_interface_detail(set, &data, nullptr, 0, &size, nullptr)) continue;
        if (api_->get_last_error() == ERROR_NO_MORE_ITEMS) break;
        std::vector<WCHAR> block(size / sizeof(WCHAR) + 1, 0);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!api_->get_device_interface_detail(set, &data, detail, size, &size, nullptr)) break;
        if (visit(std::wstring(detail->DevicePath))) break;
    }
    api_->destroy_device_info_list(set);
    return index;
}

void GattBleTransport::BleOpenNotifications(ValueHandler handler) {
    if (!api_->loaded()) return;
    {
        std::lock_guard lock(mutex_);
        if (match_vid_.empty() || match_pid_.empty()) return;
    }
    // Once per connection: registrations of an earlier call would deliver every notice twice.
    BleCloseNotifications();
    {
        std::lock_guard lock(mutex_);
        handler_ = std::move(handler);
    }
    BleRefreshConnected();
    const MatchSnapshot match = Snapshot();
    const int interfaces = ForEachServiceInterface([&](const std::wstring& path) {
        if (match.Matches(path)) SubscribeOn(path);
        return false;
    });
    wchar_t trace[32];
    std::swprintf(trace, 32, L"iIdnex = %d\r\n", interfaces);
    OutputDebugStringW(trace);
}

void GattBleTransport::SubscribeOn(const std::wstring& path) {
    const ServiceHandle device(*api_, path);
    if (!device.ok()) return;
    auto characteristics = ReadCharacteristics(*api_, device.get());
    if (!characteristics) return;
    for (BTH_LE_GATT_CHARACTERISTIC& characteristic : *characteristics) {
        if (!HasUuid(characteristic, kNotifyUuid) || !characteristic.IsNotifiable) continue;
        std::fprintf(platform::DiagnosticOutput(), "%ls\r\n", path.c_str());
        auto descriptors = ReadDescriptors(*api_, device.get(), characteristic);
        if (!descriptors) return;
        for (BTH_LE_GATT_DESCRIPTOR& descriptor : *descriptors)
            if (!ConfigureDescriptor(*api_, device.get(), descriptor)) return;

        std::fprintf(platform::DiagnosticOutput(), "Setting Notification for ServiceHandle %d\n",
                     characteristic.ServiceHandle);
        BLUETOOTH_GATT_VALUE_CHANGED_EVENT_REGISTRATION registration{1, {characteristic}};
        BLUETOOTH_GATT_EVENT_HANDLE event = nullptr;
        const HRESULT hr =
            api_->register_event(device.get(), CharacteristicValueChangedEvent, &registration,
                                 &OnValueChanged, this, &event, BLUETOOTH_GATT_FLAG_NONE);
        if (hr != S_OK) {
            std::fprintf(platform::DiagnosticOutput(),
                         "BluetoothGATTRegisterEvent - Actual Data %x\r\n", hr);
        } else {
            event_handles_.push_back(event);
        }
    }
}

void GattBleTransport::OnValueChanged(BTH_LE_GATT_EVENT_TYPE type, void* eventOut, void* context) {
    const auto* event = static_cast<const BLUETOOTH_GATT_VALUE_CHANGED_EVENT*>(eventOut);
    if (type != CharacteristicValueChangedEvent || event == nullptr ||
        event->CharacteristicValue == nullptr)
        return;
    auto* transport = static_cast<GattBleTransport*>(context);
    ValueHandler handler;
    {
        std::lock_guard lock(transport->mutex_);
        handler = transport->handler_;
    }
    if (handler) handler(event->CharacteristicValue->Data, event->CharacteristicValue->DataSize);
}

void GattBleTransport::BleCloseNotifications() {
    for (void* event : event_handles_) {
        if (api_->unregister_event(event, BLUETOOTH_GATT_FLAG_NONE) == S_OK)
            OutputDebugStringW(L"BluetoothGATTUnregisterEvent Success\r\n");
    }
    event_handles_.clear();
    std::lock_guard lock(mutex_);
    handler_ = nullptr;
}

int32_t GattBleTransport::BleWriteReport(const uint8_t* data, uint32_t length) {
    // The value record is the length and the bytes in one block of fixed size.
    if (!api_->loaded() || data == nullptr ||
        length > kValueBlockSize - offsetof(BTH_LE_GATT_CHARACTERISTIC_VALUE, Data))
        return 0;
    bool refreshed = false;
    {
        std::lock_guard lock(mutex_);
        if (match_vid_.empty() || match_pid_.empty()) return 0;
        refreshed = refreshed_;
    }
    // Right after connecting no refresh has listed the mouse yet; an apply then must not be lost.
    if (!refreshed) BleRefreshConnected();
    const MatchSnapshot match = Snapshot();
    if (match.tokens.empty()) return 0;
    bool written = false;
    ForEachServiceInterface([&](const std::wstring& path) {
        written = match.Matches(path) && WriteOn(path, data, length);
        return written;
    });
    return written ? 1 : 0;
}

bool GattBleTransport::WriteOn(const std::wstring& path, const uint8_t* data, uint32_t length) {
    const ServiceHandle device(*api_, path);
    if (!device.ok()) return false;
    auto characteristics = ReadCharacteristics(*api_, device.get());
    if (!characteristics) return false;
    for (BTH_LE_GATT_CHARACTERISTIC& characteristic : *characteristics) {
        if (!HasUuid(characteristic, kWriteUuid) || !characteristic.IsWritable) continue;
        std::fprintf(platform::DiagnosticOutput(), "%ls\r\n", path.c_str());
        BTH_LE_GATT_RELIABLE_WRITE_CONTEXT context = 0;
        if (api_->begin_reliable_write(device.get(), &context, BLUETOOTH_GATT_FLAG_NONE) != S_OK)
            continue;
        alignas(BTH_LE_GATT_CHARACTERISTIC_VALUE) uint8_t block[kValueBlockSize] = {};
        auto* value = reinterpret_cast<BTH_LE_GATT_CHARACTERISTIC_VALUE*>(block);
        value->DataSize = length;
        std::memcpy(value->Data, data, length);
        std::fprintf(platform::DiagnosticOutput(), "Value Add: %p\r\n", static_cast<void*>(block));
        const HRESULT hr = api_->set_characteristic_value(device.get(), &characteristic, value, 0,
                                                          BLUETOOTH_GATT_FLAG_NONE);
        const bool ok = hr == S_OK;
        std::fprintf(platform::DiagnosticOutput(),
                     ok ? "Write Success!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!\r\n"
                        : "Write fail!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!\r\n");
        if (context != 0) api_->end_reliable_write(device.get(), context, BLUETOOTH_GATT_FLAG_NONE);
        if (ok) return true;
    }
    return false;
}

}  // namespace nimba
