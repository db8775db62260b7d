#include "device/bluetooth_api_table.h"

#include "platform/library.h"
#include "platform/text_encoding.h"

namespace nimba {
bool BluetoothApiTable::Load(const std::string& path) {
    Unload();
    module = LoadLibraryW(platform::FromUtf8(path).c_str());
    if (module == nullptr) return false;
    const bool complete =
        LookUpProc(module, "GetLastError", get_last_error) &&
        LookUpProc(module, "SetupDiGetClassDevsW", get_class_devs) &&
        LookUpProc(module, "SetupDiEnumDeviceInterfaces", enum_device_interfaces) &&
        LookUpProc(module, "SetupDiGetDeviceInterfaceDetailW", get_device_interface_detail) &&
        LookUpProc(module, "SetupDiEnumDeviceInfo", enum_device_info) &&
        LookUpProc(module, "SetupDiGetDeviceRegistryPropertyW", get_device_registry_property) &&
        LookUpProc(module, "SetupDiDestroyDeviceInfoList", destroy_device_info_list) &&
        LookUpProc(module, "CM_Get_DevNode_Status", get_dev_node_status) &&
        LookUpProc(module, "CreateFileW", create_file) &&
        LookUpProc(module, "CloseHandle", close_handle) &&
        LookUpProc(module, "BluetoothGATTGetServices", get_services) &&
        LookUpProc(module, "BluetoothGATTGetCharacteristics", get_characteristics) &&
        LookUpProc(module, "BluetoothGATTGetDescriptors", get_descriptors) &&
        LookUpProc(module, "BluetoothGATTGetDescriptorValue", get_descriptor_value) &&
        LookUpProc(module, "BluetoothGATTSetDescriptorValue", set_descriptor_value) &&
        LookUpProc(module, "BluetoothGATTRegisterEvent", register_event) &&
        LookUpProc(module, "BluetoothGATTUnregisterEvent", unregister_event) &&
        LookUpProc(module, "BluetoothGATTBeginReliableWrite", begin_reliable_write) &&
        LookUpProc(module, "BluetoothGATTSetCharacteristicValue", set_characteristic_value) &&
        LookUpProc(module, "BluetoothGATTEndReliableWrite", end_reliable_write);
    if (!complete) Unload();
    return complete;
}

void BluetoothApiTable::Unload() {
    if (module != nullptr) FreeLibrary(module);
    *this = BluetoothApiTable{};
}

}  // namespace nimba
