#pragma once

// The system's device enumeration and Bluetooth LE GATT functions, in their Windows shapes,
// as the library BluetoothApis in the program folder exports them: in bin/ over BlueZ, in
// demo/ over the virtual mouse. The program looks each one up by name.

#include <cstddef>
#include <cstdint>

#include "platform/win_types.h"

using WCHAR = wchar_t;
using PCWSTR = const WCHAR*;
using ULONG = uint32_t;
using USHORT = uint16_t;
using UCHAR = uint8_t;
using BOOLEAN = uint8_t;
using HRESULT = int32_t;
using ULONG64 = uint64_t;
using HANDLE = void*;
using HDEVINFO = void*;
using DEVINST = DWORD;
using CONFIGRET = DWORD;

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t{-1});

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16);

inline bool operator==(const GUID& a, const GUID& b) {
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3;
}

// {6E3BB679-4372-40C8-9EAA-4509DF260CD8}: GATT service device interfaces.
inline constexpr GUID GUID_BLUETOOTH_GATT_SERVICE_DEVICE_INTERFACE = {
    0x6E3BB679, 0x4372, 0x40C8, {0x9E, 0xAA, 0x45, 0x09, 0xDF, 0x26, 0x0C, 0xD8}};
// {E0CBF06C-CD8B-4647-BB8A-263B43F0F974}: the Bluetooth device setup class.
inline constexpr GUID GUID_DEVCLASS_BLUETOOTH = {
    0xE0CBF06C, 0xCD8B, 0x4647, {0xBB, 0x8A, 0x26, 0x3B, 0x43, 0xF0, 0xF9, 0x74}};

inline constexpr DWORD DIGCF_PRESENT = 0x02;
inline constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;
inline constexpr DWORD SPDRP_HARDWAREID = 1;
inline constexpr DWORD SPDRP_FRIENDLYNAME = 12;
inline constexpr ULONG DN_DISCONNECTED = 0x02000000;  // status bit 25
inline constexpr CONFIGRET CR_SUCCESS = 0;
inline constexpr CONFIGRET CR_NO_SUCH_DEVINST = 0x0D;

inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT HRESULT_FROM_WIN32(DWORD error) {
    return error == 0 ? S_OK : static_cast<HRESULT>((error & 0xFFFF) | 0x80070000u);
}

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 1;
inline constexpr DWORD FILE_SHARE_WRITE = 2;
inline constexpr DWORD OPEN_EXISTING = 3;

struct SP_DEVINFO_DATA {
    DWORD cbSize;
    GUID ClassGuid;
    DEVINST DevInst;
    uintptr_t Reserved;
};

struct SP_DEVICE_INTERFACE_DATA {
    DWORD cbSize;
    GUID InterfaceClassGuid;
    DWORD Flags;
    uintptr_t Reserved;
};

// Variable length: the path runs on past the fixed part.
struct SP_DEVICE_INTERFACE_DETAIL_DATA_W {
    DWORD cbSize;  // the fixed part, sizeof this record
    WCHAR DevicePath[1];
};

struct BTH_LE_UUID {
    BOOLEAN IsShortUuid;
    union {
        USHORT ShortUuid;
        GUID LongUuid;
    } Value;
};

struct BTH_LE_GATT_SERVICE {
    BTH_LE_UUID ServiceUuid;
    USHORT AttributeHandle;
};
static_assert(sizeof(BTH_LE_GATT_SERVICE) == 24);

struct BTH_LE_GATT_CHARACTERISTIC {
    USHORT ServiceHandle;
    BTH_LE_UUID CharacteristicUuid;
    USHORT AttributeHandle;
    USHORT CharacteristicValueHandle;
    BOOLEAN IsBroadcastable;
    BOOLEAN IsReadable;
    BOOLEAN IsWritable;
    BOOLEAN IsWritableWithoutResponse;
    BOOLEAN IsSignedWritable;
    BOOLEAN IsNotifiable;
    BOOLEAN IsIndicatable;
    BOOLEAN HasExtendedProperties;
};
static_assert(sizeof(BTH_LE_GATT_CHARACTERISTIC) == 36);

enum BTH_LE_GATT_DESCRIPTOR_TYPE : int32_t {
    CharacteristicExtendedProperties = 0,
    CharacteristicUserDescription = 1,
    ClientCharacteristicConfiguration = 2,
    ServerCharacteristicConfiguration = 3,
    CharacteristicFormat = 4,
    CharacteristicAggregateFormat = 5,
    CustomDescriptor = 6,
};

struct BTH_LE_GATT_DESCRIPTOR {
    USHORT ServiceHandle;
    USHORT CharacteristicHandle;
    BTH_LE_GATT_DESCRIPTOR_TYPE DescriptorType;
    BTH_LE_UUID DescriptorUuid;
    USHORT AttributeHandle;
};
static_assert(sizeof(BTH_LE_GATT_DESCRIPTOR) == 32);

// Variable length: Data runs on for DataSize bytes.
struct BTH_LE_GATT_DESCRIPTOR_VALUE {
    BTH_LE_GATT_DESCRIPTOR_TYPE DescriptorType;
    BTH_LE_UUID DescriptorUuid;
    union {
        struct {
            BOOLEAN IsSubscribeToNotification;
            BOOLEAN IsSubscribeToIndication;
        } ClientCharacteristicConfiguration;
        ULONG64 Reserved[2];
    };
    ULONG DataSize;
    UCHAR Data[1];
};

// Variable length: Data runs on for DataSize bytes.
struct BTH_LE_GATT_CHARACTERISTIC_VALUE {
    ULONG DataSize;
    UCHAR Data[1];
};

using BTH_LE_GATT_RELIABLE_WRITE_CONTEXT = ULONG64;
using BLUETOOTH_GATT_EVENT_HANDLE = void*;

enum BTH_LE_GATT_EVENT_TYPE : int32_t { CharacteristicValueChangedEvent = 0 };

struct BLUETOOTH_GATT_VALUE_CHANGED_EVENT_REGISTRATION {
    USHORT NumCharacteristics;
    BTH_LE_GATT_CHARACTERISTIC Characteristics[1];
};

struct BLUETOOTH_GATT_VALUE_CHANGED_EVENT {
    USHORT ChangedAttributeHandle;
    size_t CharacteristicValueDataSize;
    BTH_LE_GATT_CHARACTERISTIC_VALUE* CharacteristicValue;
};

// Runs on a thread of the library; once BluetoothGATTUnregisterEvent has returned, never again.
using PFNBLUETOOTH_GATT_EVENT_CALLBACK = void (*)(BTH_LE_GATT_EVENT_TYPE eventType,
                                                  void* eventOutParameter, void* context);

inline constexpr ULONG BLUETOOTH_GATT_FLAG_NONE = 0;

extern "C" {

// The calling thread's last error, as the SetupDi functions leave it.
DWORD GetLastError();

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, PCWSTR enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* interfaceGuid,
                                 DWORD memberIndex, SP_DEVICE_INTERFACE_DATA* interfaceData);
BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                      DWORD* requiredSize, SP_DEVINFO_DATA* device);
BOOL SetupDiEnumDeviceInfo(HDEVINFO set, DWORD memberIndex, SP_DEVINFO_DATA* device);
// REG_MULTI_SZ for the hardware ids, REG_SZ for the friendly name, in UTF-16 units as Windows
// stores them.
BOOL SetupDiGetDeviceRegistryPropertyW(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                       DWORD* regType, BYTE* buffer, DWORD bufferSize,
                                       DWORD* requiredSize);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set);
CONFIGRET CM_Get_DevNode_Status(ULONG* status, ULONG* problem, DEVINST device, ULONG flags);

// A GATT service device interface by its path; INVALID_HANDLE_VALUE when there is none.
HANDLE CreateFileW(PCWSTR path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);

HRESULT BluetoothGATTGetServices(HANDLE device, USHORT count, BTH_LE_GATT_SERVICE* services,
                                 USHORT* actual, ULONG flags);
HRESULT BluetoothGATTGetCharacteristics(HANDLE device, BTH_LE_GATT_SERVICE* service, USHORT count,
                                        BTH_LE_GATT_CHARACTERISTIC* characteristics, USHORT* actual,
                                        ULONG flags);
HRESULT BluetoothGATTGetDescriptors(HANDLE device, BTH_LE_GATT_CHARACTERISTIC* characteristic,
                                    USHORT count, BTH_LE_GATT_DESCRIPTOR* descriptors,
                                    USHORT* actual, ULONG flags);
HRESULT BluetoothGATTGetDescriptorValue(HANDLE device, BTH_LE_GATT_DESCRIPTOR* descriptor,
                                        ULONG valueSize, BTH_LE_GATT_DESCRIPTOR_VALUE* value,
                                        USHORT* sizeRequired, ULONG flags);
HRESULT BluetoothGATTSetDescriptorValue(HANDLE device, BTH_LE_GATT_DESCRIPTOR* descriptor,
                                        BTH_LE_GATT_DESCRIPTOR_VALUE* value, ULONG flags);
HRESULT BluetoothGATTRegisterEvent(HANDLE service, BTH_LE_GATT_EVENT_TYPE eventType,
                                   void* eventParameterIn,
                                   PFNBLUETOOTH_GATT_EVENT_CALLBACK callback, void* context,
                                   BLUETOOTH_GATT_EVENT_HANDLE* eventHandle, ULONG flags);
HRESULT BluetoothGATTUnregisterEvent(BLUETOOTH_GATT_EVENT_HANDLE eventHandle, ULONG flags);
HRESULT BluetoothGATTBeginReliableWrite(HANDLE device, BTH_LE_GATT_RELIABLE_WRITE_CONTEXT* context,
                                        ULONG flags);
HRESULT BluetoothGATTSetCharacteristicValue(HANDLE device,
                                            BTH_LE_GATT_CHARACTERISTIC* characteristic,
                                            BTH_LE_GATT_CHARACTERISTIC_VALUE* value,
                                            BTH_LE_GATT_RELIABLE_WRITE_CONTEXT context,
                                            ULONG flags);
HRESULT BluetoothGATTEndReliableWrite(HANDLE device, BTH_LE_GATT_RELIABLE_WRITE_CONTEXT context,
                                      ULONG flags);

}  // extern "C"
