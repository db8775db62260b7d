#pragma once

// The entry points of the system's Bluetooth library (BluetoothApis in the program folder),
// looked up by name as the Bluetooth LE transport uses them.

#include <string>

#include "bluetooth_apis.h"

namespace nimba {

struct BluetoothApiTable {
    // False, with every entry null, when the library or one of its entry points is missing.
    bool Load(const std::string& path);
    void Unload();
    bool loaded() const { return module != nullptr; }

    HMODULE module = nullptr;
    decltype(&GetLastError) get_last_error = nullptr;
    decltype(&SetupDiGetClassDevsW) get_class_devs = nullptr;
    decltype(&SetupDiEnumDeviceInterfaces) enum_device_interfaces = nullptr;
    decltype(&SetupDiGetDeviceInterfaceDetailW) get_device_interface_detail = nullptr;
    decltype(&SetupDiEnumDeviceInfo) enum_device_info = nullptr;
    decltype(&SetupDiGetDeviceRegistryPropertyW) get_device_registry_property = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) destroy_device_info_list = nullptr;
    decltype(&CM_Get_DevNode_Status) get_dev_node_status = nullptr;
    decltype(&CreateFileW) create_file = nullptr;
    decltype(&CloseHandle) close_handle = nullptr;
    decltype(&BluetoothGATTGetServices) get_services = nullptr;
    decltype(&BluetoothGATTGetCharacteristics) get_characteristics = nullptr;
    decltype(&BluetoothGATTGetDescriptors) get_descriptors = nullptr;
    decltype(&BluetoothGATTGetDescriptorValue) get_descriptor_value = nullptr;
    decltype(&BluetoothGATTSetDescriptorValue) set_descriptor_value = nullptr;
    decltype(&BluetoothGATTRegisterEvent) register_event = nullptr;
    decltype(&BluetoothGATTUnregisterEvent) unregister_event = nullptr;
    decltype(&BluetoothGATTBeginReliableWrite) begin_reliable_write = nullptr;
    decltype(&BluetoothGATTSetCharacteristicValue) set_characteristic_value = nullptr;
    decltype(&BluetoothGATTEndReliableWrite) end_reliable_write = nullptr;
};

}  // namespace nimba
