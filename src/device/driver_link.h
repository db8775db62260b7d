#pragma once

#include <cstdint>
#include <string>

#include "devlink.h"
#include "platform/win_types.h"

namespace nimba {

// One loaded driver library. A library that is missing, or lacks one of its entry points,
// leaves the link absent: every call then does nothing and reports failure.
class DriverLink {
public:
    DriverLink() = default;
    DriverLink(const DriverLink&) = delete;
    DriverLink& operator=(const DriverLink&) = delete;
    ~DriverLink() { Unload(); }

    bool Load(const std::string& path);
    void Unload();
    bool loaded() const { return module_ != nullptr; }

    void SetVidPid(int vendor_id, int product_id) const;
    void OpenDevMonitor(HWND window, UINT notice_message, UINT presence_message) const;
    void CloseDevMonitor() const;
    int OpenFeatureDevice() const;
    void CloseFeatureDevice() const;
    int SetFeature(const uint8_t* report, uint32_t length) const;

private:
    HMODULE module_ = nullptr;
    Set_VIDPID_Fn set_vidpid_ = nullptr;
    Open_DevMonitor_Fn open_dev_monitor_ = nullptr;
    Close_DevMonitor_Fn close_dev_monitor_ = nullptr;
    Open_FeatureDevice_Fn open_feature_device_ = nullptr;
    Close_FeatureDevice_Fn close_feature_device_ = nullptr;
    SetFeature_Fn set_feature_ = nullptr;
    GetFeature_Fn get_feature_ = nullptr;
};

}  // namespace nimba
