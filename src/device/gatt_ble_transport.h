#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/ble_transport.h"

enum BTH_LE_GATT_EVENT_TYPE : int32_t;

namespace nimba {

struct BluetoothApiTable;

// The mouse over the system's Bluetooth LE GATT functions: its service interfaces are found by
// the vendor and product id in their device path and by the address of a connected Bluetooth
// device; reports go to characteristic 0xFEE3, notices come from 0xFEE4. Every write opens the
// service afresh.
class GattBleTransport final : public BleTransport {
public:
    static constexpr uint32_t kValueBlockSize = 1000;
    static constexpr int kMaxConnectedDevices = 100;

    GattBleTransport();
    ~GattBleTransport() override;
    GattBleTransport(const GattBleTransport&) = delete;
    GattBleTransport& operator=(const GattBleTransport&) = delete;

    bool Load(const std::string& path) override;
    void Unload() override;
    int32_t BleWriteReport(const uint8_t* data, uint32_t length) override;
    void SetMatchStrings(const std::string& vid, const std::string& pid) override;
    void BleOpenNotifications(ValueHandler handler) override;
    void BleCloseNotifications() override;
    // Rebuilds the table of connected Bluetooth devices.
    void BleRefreshConnected();

private:
    struct ConnectedDevice {
        int found = 0;
        wchar_t text[260] = {};
    };
    // What one pass over the service interfaces matches against, taken whole under the lock.
    struct MatchSnapshot {
        std::wstring vid;
        std::wstring pid;
        std::vector<std::wstring> tokens;  // upper case
        bool Matches(const std::wstring& path) const;
    };

    MatchSnapshot Snapshot() const;
    // Calls `visit` with each service interface's path until it returns true; the number of
    // interfaces enumerated.
    template <typename Visit>
    int ForEachServiceInterface(Visit&& visit);
    void SubscribeOn(const std::wstring& path);
    bool WriteOn(const std::wstring& path, const uint8_t* data, uint32_t length);
    static void OnValueChanged(BTH_LE_GATT_EVENT_TYPE type, void* eventOut, void* context);

    std::unique_ptr<BluetoothApiTable> api_;
    mutable std::mutex mutex_;  // the match strings, the device table and the handler
    std::wstring match_vid_;
    std::wstring match_pid_;
    std::array<ConnectedDevice, kMaxConnectedDevices> connected_devices_{};
    int connected_count_ = 0;
    bool refreshed_ = false;  // since the match strings were set
    ValueHandler handler_;
    std::vector<void*> event_handles_;  // window thread only
};

}  // namespace nimba
