// The Windows-shaped device enumeration and GATT functions over the library's backend. Device
// paths take the Windows form, so the program's upper-case search for the vendor and product
// id and the device's address token works on them as on Windows:
//   \\?\BTHLEDevice#{service}_Dev_VID&02045e_PID&0047_REV&0001_d0f0f1a2b3c4#<id>#{interface}

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "bluetooth_apis.h"
#include "gatt_backend.h"
#include "platform/text_encoding.h"

namespace nimba::gatt {
namespace {

constexpr char kInterfaceClassSuffix[] = "#{6e3bb679-4372-40c8-9eaa-4509df260cd8}";
constexpr char kPathPrefix[] = "\\\\?\\BTHLEDevice#";
constexpr char kBaseUuidTail[] = "-0000-1000-8000-00805f9b34fb";
constexpr uint16_t kCccdUuid = 0x2902;
constexpr DWORD kRegSz = 1;
constexpr DWORD kRegMultiSz = 7;
constexpr DWORD kErrorNotFound = 1168;

thread_local DWORD g_last_error = 0;

BOOL Fail(DWORD error) {
    g_last_error = error;
    return FALSE;
}

// "d0f0f1a2b3c4" from "D0:F0:F1:A2:B3:C4", as Windows writes a Bluetooth address in names.
std::string AddressToken(const std::string& address) {
    std::string token;
    for (char c : address)
        if (c != ':') token += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return token;
}

// "usb:v045Ep0047d0001" -> "VID&02045e_PID&0047_REV&0001"; the source byte in front of the
// vendor id is 02 for USB-assigned ids and 01 for Bluetooth-assigned ones.
std::string IdPart(const std::string& modalias) {
    unsigned vendor = 0, product = 0, version = 0;
    int source = 0;
    if (std::sscanf(modalias.c_str(), "usb:v%4xp%4xd%4x", &vendor, &product, &version) == 3) {
        source = 2;
    } else if (std::sscanf(modalias.c_str(), "bluetooth:v%4xp%4xd%4x", &vendor, &product,
                           &version) == 3) {
        source = 1;
    } else {
        return {};
    }
    char part[48];
    std::snprintf(part, sizeof part, "VID&%02x%04x_PID&%04x_REV&%04x_", source, vendor, product,
                  version);
    return part;
}

std::string DevicePath(const ServiceInfo& service) {
    return kPathPrefix + ("{" + service.uuid + "}_Dev_") + IdPart(service.device.modalias) +
           AddressToken(service.device.address) + "#" + service.id + kInterfaceClassSuffix;
}

// The stack's id back out of a path this library made; empty for any other path.
std::string IdOfPath(const std::string& path) {
    if (!path.starts_with(kPathPrefix) || !path.ends_with(kInterfaceClassSuffix)) return {};
    const std::string middle = path.substr(0, path.size() - std::strlen(kInterfaceClassSuffix));
    const size_t hash = middle.find('#', std::strlen(kPathPrefix));
    return hash == std::string::npos ? std::string{} : middle.substr(hash + 1);
}

BTH_LE_UUID ToBthUuid(const std::string& text) {
    BTH_LE_UUID uuid{};
    unsigned a = 0, b = 0, c = 0, d = 0;
    unsigned long long e = 0;
    if (std::sscanf(text.c_str(), "%8x-%4x-%4x-%4x-%12llx", &a, &b, &c, &d, &e) != 5) return uuid;
    if (text.size() == 36 && text.substr(8) == kBaseUuidTail && a <= 0xFFFF) {
        uuid.IsShortUuid = 1;
        uuid.Value.ShortUuid = static_cast<USHORT>(a);
        return uuid;
    }
    GUID& g = uuid.Value.LongUuid;
    g.Data1 = a;
    g.Data2 = static_cast<uint16_t>(b);
    g.Data3 = static_cast<uint16_t>(c);
    g.Data4[0] = static_cast<uint8_t>(d >> 8);
    g.Data4[1] = static_cast<uint8_t>(d);
    for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<uint8_t>(e >> (40 - 8 * i));
    return uuid;
}

BTH_LE_GATT_DESCRIPTOR_TYPE DescriptorType(const BTH_LE_UUID& uuid) {
    if (!uuid.IsShortUuid || uuid.Value.ShortUuid < 0x2900 || uuid.Value.ShortUuid > 0x2905)
        return CustomDescriptor;
    return static_cast<BTH_LE_GATT_DESCRIPTOR_TYPE>(uuid.Value.ShortUuid - 0x2900);
}

bool HasFlag(const CharacteristicInfo& c, const char* flag) {
    return std::find(c.flags.begin(), c.flags.end(), flag) != c.flags.end();
}

struct DeviceSet {
    bool interfaces = false;
    std::vector<ServiceInfo> services;
    std::vector<DeviceInfo> devices;
};

struct OpenService {
    ServiceInfo service;
    std::optional<std::vector<CharacteristicInfo>> characteristics;
    std::map<uint16_t, std::vector<DescriptorInfo>> descriptors;

    const CharacteristicInfo* Characteristic(uint16_t handle) const {
        if (!characteristics) return nullptr;
        for (const auto& c : *characteristics)
            if (c.handle == handle) return &c;
        return nullptr;
    }
};

struct Registration {
    std::vector<std::string> characteristics;
    std::vector<uint16_t> handles;
    PFNBLUETOOTH_GATT_EVENT_CALLBACK callback = nullptr;
    void* context = nullptr;
};

// Everything the handles point to lives here, so a stale or foreign handle is refused instead
// of followed.
struct Library {
    std::mutex mutex;
    std::map<void*, std::unique_ptr<DeviceSet>> sets;
    std::map<void*, std::unique_ptr<OpenService>> services;
    std::vector<DeviceInfo> nodes;  // DevInst n is nodes[n - 1], as last enumerated
    // Held while a callback runs, so an unregistration waits for it to finish.
    std::mutex events_mutex;
    std::map<void*, std::unique_ptr<Registration>> registrations;
    ULONG64 next_write_context = 1;
};

Library& Lib() {
    static Library library;
    return library;
}

DeviceSet* SetOf(HDEVINFO handle) {
    auto it = Lib().sets.find(handle);
    return it == Lib().sets.end() ? nullptr : it->second.get();
}

OpenService* ServiceOf(HANDLE handle) {
    auto it = Lib().services.find(handle);
    return it == Lib().services.end() ? nullptr : it->second.get();
}

std::vector<WCHAR> Wide(const std::string& text) {
    const std::wstring wide = ::platform::FromUtf8(text);
    return {wide.begin(), wide.end()};
}

void Deliver(const std::string& characteristic, std::span<const uint8_t> value) {
    std::vector<uint8_t> block(offsetof(BTH_LE_GATT_CHARACTERISTIC_VALUE, Data) +
                               std::max<size_t>(value.size(), 1));
    auto* record = reinterpret_cast<BTH_LE_GATT_CHARACTERISTIC_VALUE*>(block.data());
    record->DataSize = static_cast<ULONG>(value.size());
    std::copy(value.begin(), value.end(), record->Data);
    std::lock_guard lock(Lib().events_mutex);
    for (const auto& [handle, registration] : Lib().registrations) {
        const auto& ids = registration->characteristics;
        for (size_t i = 0; i < ids.size(); ++i) {
            if (ids[i] != characteristic) continue;
            BLUETOOTH_GATT_VALUE_CHANGED_EVENT event{registration->handles[i], value.size(),
                                                     record};
            registration->callback(CharacteristicValueChangedEvent, &event, registration->context);
        }
    }
}

// Whether another registration still wants the characteristic's values.
bool StillWanted(const std::string& characteristic) {
    for (const auto& [handle, registration] : Lib().registrations) {
        const auto& ids = registration->characteristics;
        if (std::find(ids.begin(), ids.end(), characteristic) != ids.end()) return true;
    }
    return false;
}

template <typename Record>
HRESULT CopyOut(const std::vector<Record>& records, USHORT count, Record* out, USHORT* actual) {
    if (actual == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    *actual = static_cast<USHORT>(records.size());
    if (records.empty()) return HRESULT_FROM_WIN32(kErrorNotFound);
    if (out == nullptr || count < records.size()) return HRESULT_FROM_WIN32(ERROR_MORE_DATA);
    std::copy(records.begin(), records.end(), out);
    return S_OK;
}

}  // namespace
}  // namespace nimba::gatt

using namespace nimba::gatt;

extern "C" {

DWORD GetLastError() {
    return g_last_error;
}

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, PCWSTR, HWND, DWORD flags) {
    if (classGuid == nullptr) return Fail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    auto set = std::make_unique<DeviceSet>();
    if (*classGuid == GUID_BLUETOOTH_GATT_SERVICE_DEVICE_INTERFACE &&
        (flags & DIGCF_DEVICEINTERFACE) != 0) {
        set->interfaces = true;
        set->services = Backend().Services();
    } else if (*classGuid == GUID_DEVCLASS_BLUETOOTH) {
        set->devices = Backend().Devices();
    }
    std::lock_guard lock(Lib().mutex);
    for (const DeviceInfo& device : set->devices) {
        auto known = std::find_if(Lib().nodes.begin(), Lib().nodes.end(),
                                  [&](const DeviceInfo& n) { return n.address == device.address; });
        if (known == Lib().nodes.end()) {
            Lib().nodes.push_back(device);
        } else {
            *known = device;
        }
    }
    void* handle = set.get();
    Lib().sets.emplace(handle, std::move(set));
    return handle;
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO handle, SP_DEVINFO_DATA*, const GUID* interfaceGuid,
                                 DWORD memberIndex, SP_DEVICE_INTERFACE_DATA* data) {
    std::lock_guard lock(Lib().mutex);
    DeviceSet* set = SetOf(handle);
    if (set == nullptr || data == nullptr || interfaceGuid == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!set->interfaces || memberIndex >= set->services.size()) return Fail(ERROR_NO_MORE_ITEMS);
    data->InterfaceClassGuid = *interfaceGuid;
    data->Flags = 1;  // active
    data->Reserved = memberIndex;
    return TRUE;
}

BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO handle, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize, SP_DEVINFO_DATA*) {
    std::lock_guard lock(Lib().mutex);
    DeviceSet* set = SetOf(handle);
    if (set == nullptr || data == nullptr || data->Reserved >= set->services.size())
        return Fail(ERROR_NO_MORE_ITEMS);
    const std::vector<WCHAR> path = Wide(DevicePath(set->services[data->Reserved]));
    const DWORD needed =
        static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) +
                           (path.size() + 1) * sizeof(WCHAR));
    if (requiredSize != nullptr) *requiredSize = needed;
    if (detail == nullptr || detailSize < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return Fail(ERROR_INVALID_PARAMETER);
    std::copy(path.begin(), path.end(), detail->DevicePath);
    detail->DevicePath[path.size()] = 0;
    return TRUE;
}

BOOL SetupDiEnumDeviceInfo(HDEVINFO handle, DWORD memberIndex, SP_DEVINFO_DATA* device) {
    std::lock_guard lock(Lib().mutex);
    DeviceSet* set = SetOf(handle);
    if (set == nullptr || device == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if (memberIndex >= set->devices.size()) return Fail(ERROR_NO_MORE_ITEMS);
    const std::string& address = set->devices[memberIndex].address;
    const auto node = std::find_if(Lib().nodes.begin(), Lib().nodes.end(),
                                   [&](const DeviceInfo& n) { return n.address == address; });
    device->ClassGuid = GUID_DEVCLASS_BLUETOOTH;
    device->DevInst = static_cast<DEVINST>(node - Lib().nodes.begin() + 1);
    device->Reserved = memberIndex;
    return TRUE;
}

BOOL SetupDiGetDeviceRegistryPropertyW(HDEVINFO handle, SP_DEVINFO_DATA* device, DWORD property,
                                       DWORD* regType, BYTE* buffer, DWORD bufferSize,
                                       DWORD* requiredSize) {
    std::lock_guard lock(Lib().mutex);
    DeviceSet* set = SetOf(handle);
    if (set == nullptr || device == nullptr || device->Reserved >= set->devices.size())
        return Fail(ERROR_INVALID_PARAMETER);
    const DeviceInfo& info = set->devices[device->Reserved];
    std::vector<WCHAR> value;
    DWORD type = kRegSz;
    if (property == SPDRP_FRIENDLYNAME) {
        value = Wide(info.name);
        value.push_back(0);
    } else if (property == SPDRP_HARDWAREID) {
        type = kRegMultiSz;
        value = Wide("BTHLE\\Dev_" + AddressToken(info.address));
        value.insert(value.end(), {0, 0});
    } else {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const DWORD needed = static_cast<DWORD>(value.size() * sizeof(WCHAR));
    if (requiredSize != nullptr) *requiredSize = needed;
    if (regType != nullptr) *regType = type;
    if (buffer == nullptr || bufferSize < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, value.data(), needed);
    return TRUE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO handle) {
    std::lock_guard lock(Lib().mutex);
    return Lib().sets.erase(handle) == 1 ? TRUE : Fail(ERROR_INVALID_PARAMETER);
}

CONFIGRET CM_Get_DevNode_Status(ULONG* status, ULONG* problem, DEVINST device, ULONG) {
    std::lock_guard lock(Lib().mutex);
    if (status == nullptr || problem == nullptr || device == 0 || device > Lib().nodes.size())
        return CR_NO_SUCH_DEVINST;
    *status = Lib().nodes[device - 1].connected ? 0 : DN_DISCONNECTED;
    *problem = 0;
    return CR_SUCCESS;
}

HANDLE CreateFileW(PCWSTR path, DWORD, DWORD, void*, DWORD, DWORD, HANDLE) {
    if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    const std::string id = IdOfPath(::platform::ToUtf8(path));
    for (ServiceInfo& service : Backend().Services()) {
        if (service.id != id) continue;
        auto open = std::make_unique<OpenService>();
        open->service = std::move(service);
        std::lock_guard lock(Lib().mutex);
        void* handle = open.get();
        Lib().services.emplace(handle, std::move(open));
        return handle;
    }
    return Fail(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
}

BOOL CloseHandle(HANDLE handle) {
    std::lock_guard lock(Lib().mutex);
    return Lib().services.erase(handle) == 1 ? TRUE : Fail(ERROR_INVALID_PARAMETER);
}

HRESULT BluetoothGATTGetServices(HANDLE device, USHORT count, BTH_LE_GATT_SERVICE* services,
                                 USHORT* actual, ULONG) {
    std::lock_guard lock(Lib().mutex);
    const OpenService* open = ServiceOf(device);
    if (open == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    // A service interface holds the one service it is named after.
    const BTH_LE_GATT_SERVICE record{ToBthUuid(open->service.uuid), 0};
    return CopyOut(std::vector{record}, count, services, actual);
}

HRESULT BluetoothGATTGetCharacteristics(HANDLE device, BTH_LE_GATT_SERVICE*, USHORT count,
                                        BTH_LE_GATT_CHARACTERISTIC* characteristics, USHORT* actual,
                                        ULONG) {
    // The stack is asked under the lock: a handle's lists are read once, whoever asks first.
    std::lock_guard lock(Lib().mutex);
    OpenService* open = ServiceOf(device);
    if (open == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    if (!open->characteristics) open->characteristics = Backend().Characteristics(open->service.id);
    std::vector<BTH_LE_GATT_CHARACTERISTIC> records;
    for (const CharacteristicInfo& c : *open->characteristics) {
        BTH_LE_GATT_CHARACTERISTIC r{};
        r.CharacteristicUuid = ToBthUuid(c.uuid);
        r.AttributeHandle = c.handle;
        r.CharacteristicValueHandle = static_cast<USHORT>(c.handle + 1);
        r.IsBroadcastable = HasFlag(c, "broadcast");
        r.IsReadable = HasFlag(c, "read");
        r.IsWritable = HasFlag(c, "write");
        r.IsWritableWithoutResponse = HasFlag(c, "write-without-response");
        r.IsSignedWritable = HasFlag(c, "authenticated-signed-writes");
        r.IsNotifiable = HasFlag(c, "notify");
        r.IsIndicatable = HasFlag(c, "indicate");
        r.HasExtendedProperties = HasFlag(c, "extended-properties");
        records.push_back(r);
    }
    return CopyOut(records, count, characteristics, actual);
}

HRESULT BluetoothGATTGetDescriptors(HANDLE device, BTH_LE_GATT_CHARACTERISTIC* characteristic,
                                    USHORT count, BTH_LE_GATT_DESCRIPTOR* descriptors,
                                    USHORT* actual, ULONG) {
    if (characteristic == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    std::lock_guard lock(Lib().mutex);
    OpenService* open = ServiceOf(device);
    const CharacteristicInfo* c =
        open != nullptr ? open->Characteristic(characteristic->AttributeHandle) : nullptr;
    if (c == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    const uint16_t handle = c->handle;
    if (!open->descriptors.contains(handle))
        open->descriptors[handle] = Backend().Descriptors(c->id);
    std::vector<BTH_LE_GATT_DESCRIPTOR> records;
    for (const DescriptorInfo& d : open->descriptors[handle]) {
        BTH_LE_GATT_DESCRIPTOR r{};
        r.CharacteristicHandle = handle;
        r.DescriptorUuid = ToBthUuid(d.uuid);
        r.DescriptorType = DescriptorType(r.DescriptorUuid);
        r.AttributeHandle = d.handle;
        records.push_back(r);
    }
    return CopyOut(records, count, descriptors, actual);
}

HRESULT BluetoothGATTGetDescriptorValue(HANDLE device, BTH_LE_GATT_DESCRIPTOR* descriptor,
                                        ULONG valueSize, BTH_LE_GATT_DESCRIPTOR_VALUE* value,
                                        USHORT* sizeRequired, ULONG) {
    if (descriptor == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    std::string id;
    {
        std::lock_guard lock(Lib().mutex);
        OpenService* open = ServiceOf(device);
        if (open == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
        for (const auto& d : open->descriptors[descriptor->CharacteristicHandle])
            if (d.handle == descriptor->AttributeHandle) id = d.id;
    }
    if (id.empty()) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    const auto data = Backend().ReadDescriptor(id);
    if (!data) return E_FAIL;
    const size_t needed = offsetof(BTH_LE_GATT_DESCRIPTOR_VALUE, Data) + data->size();
    if (sizeRequired != nullptr) *sizeRequired = static_cast<USHORT>(needed);
    if (value == nullptr || valueSize < needed) return HRESULT_FROM_WIN32(ERROR_MORE_DATA);
    std::memset(value, 0, needed);
    value->DescriptorType = descriptor->DescriptorType;
    value->DescriptorUuid = descriptor->DescriptorUuid;
    if (descriptor->DescriptorType == ClientCharacteristicConfiguration && !data->empty()) {
        value->ClientCharacteristicConfiguration.IsSubscribeToNotification = (*data)[0] & 1;
        value->ClientCharacteristicConfiguration.IsSubscribeToIndication = ((*data)[0] >> 1) & 1;
    }
    value->DataSize = static_cast<ULONG>(data->size());
    std::copy(data->begin(), data->end(), value->Data);
    return S_OK;
}

HRESULT BluetoothGATTSetDescriptorValue(HANDLE device, BTH_LE_GATT_DESCRIPTOR* descriptor,
                                        BTH_LE_GATT_DESCRIPTOR_VALUE* value, ULONG) {
    std::lock_guard lock(Lib().mutex);
    if (ServiceOf(device) == nullptr || descriptor == nullptr || value == nullptr)
        return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    // The stack writes the client configuration itself when notifications start or stop,
    // which registering and unregistering the value-changed event do; other descriptors are
    // not written by anyone here.
    const bool configuration = descriptor->DescriptorType == ClientCharacteristicConfiguration &&
                               descriptor->DescriptorUuid.IsShortUuid &&
                               descriptor->DescriptorUuid.Value.ShortUuid == kCccdUuid;
    return configuration ? S_OK : E_FAIL;
}

HRESULT BluetoothGATTRegisterEvent(HANDLE service, BTH_LE_GATT_EVENT_TYPE eventType,
                                   void* eventParameterIn,
                                   PFNBLUETOOTH_GATT_EVENT_CALLBACK callback, void* context,
                                   BLUETOOTH_GATT_EVENT_HANDLE* eventHandle, ULONG) {
    auto* request = static_cast<BLUETOOTH_GATT_VALUE_CHANGED_EVENT_REGISTRATION*>(eventParameterIn);
    if (eventType != CharacteristicValueChangedEvent || request == nullptr || callback == nullptr ||
        eventHandle == nullptr || request->NumCharacteristics == 0)
        return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    auto registration = std::make_unique<Registration>();
    registration->callback = callback;
    registration->context = context;
    {
        std::lock_guard lock(Lib().mutex);
        const OpenService* open = ServiceOf(service);
        if (open == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
        for (USHORT i = 0; i < request->NumCharacteristics; ++i) {
            const uint16_t handle = request->Characteristics[i].AttributeHandle;
            const CharacteristicInfo* c = open->Characteristic(handle);
            if (c == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
            registration->characteristics.push_back(c->id);
            registration->handles.push_back(static_cast<uint16_t>(handle + 1));
        }
    }
    const auto& ids = registration->characteristics;
    for (size_t i = 0; i < ids.size(); ++i) {
        const std::string& id = ids[i];
        if (Backend().StartNotify(id, [id](std::span<const uint8_t> v) { Deliver(id, v); }))
            continue;
        std::lock_guard lock(Lib().events_mutex);
        for (size_t j = 0; j < i; ++j)
            if (!StillWanted(ids[j])) Backend().StopNotify(ids[j]);
        return E_FAIL;
    }
    std::lock_guard lock(Lib().events_mutex);
    *eventHandle = registration.get();
    Lib().registrations.emplace(*eventHandle, std::move(registration));
    return S_OK;
}

HRESULT BluetoothGATTUnregisterEvent(BLUETOOTH_GATT_EVENT_HANDLE eventHandle, ULONG) {
    std::vector<std::string> unwanted;
    {
        std::lock_guard lock(Lib().events_mutex);
        auto it = Lib().registrations.find(eventHandle);
        if (it == Lib().registrations.end()) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
        const std::vector<std::string> ids = std::move(it->second->characteristics);
        Lib().registrations.erase(it);
        for (const std::string& id : ids)
            if (!StillWanted(id)) unwanted.push_back(id);
    }
    for (const std::string& id : unwanted) Backend().StopNotify(id);
    return S_OK;
}

HRESULT BluetoothGATTBeginReliableWrite(HANDLE device, BTH_LE_GATT_RELIABLE_WRITE_CONTEXT* context,
                                        ULONG) {
    std::lock_guard lock(Lib().mutex);
    if (ServiceOf(device) == nullptr || context == nullptr)
        return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    *context = Lib().next_write_context++;
    return S_OK;
}

HRESULT BluetoothGATTSetCharacteristicValue(HANDLE device,
                                            BTH_LE_GATT_CHARACTERISTIC* characteristic,
                                            BTH_LE_GATT_CHARACTERISTIC_VALUE* value,
                                            BTH_LE_GATT_RELIABLE_WRITE_CONTEXT, ULONG) {
    if (characteristic == nullptr || value == nullptr)
        return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    std::string id;
    {
        std::lock_guard lock(Lib().mutex);
        const OpenService* open = ServiceOf(device);
        const CharacteristicInfo* c =
            open != nullptr ? open->Characteristic(characteristic->AttributeHandle) : nullptr;
        if (c == nullptr) return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
        id = c->id;
    }
    return Backend().Write(id, {value->Data, value->DataSize}) ? S_OK : E_FAIL;
}

HRESULT BluetoothGATTEndReliableWrite(HANDLE device, BTH_LE_GATT_RELIABLE_WRITE_CONTEXT, ULONG) {
    std::lock_guard lock(Lib().mutex);
    return ServiceOf(device) != nullptr ? S_OK : HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
}

}  // extern "C"
