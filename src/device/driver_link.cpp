#include "device/driver_link.h"

#include "platform/library.h"
#include "platform/text_encoding.h"

namespace nimba {
bool DriverLink::Load(const std::string& path) {
    Unload();
    module_ = LoadLibraryW(platform::FromUtf8(path).c_str());
    if (module_ == nullptr) return false;
    const bool complete = LookUpProc(module_, "Set_VIDPID", set_vidpid_) &&
                          LookUpProc(module_, "Open_DevMonitor", open_dev_monitor_) &&
                          LookUpProc(module_, "Close_DevMonitor", close_dev_monitor_) &&
                          LookUpProc(module_, "Open_FeatureDevice", open_feature_device_) &&
                          LookUpProc(module_, "Close_FeatureDevice", close_feature_device_) &&
                          LookUpProc(module_, "SetFeature", set_feature_) &&
                          LookUpProc(module_, "GetFeature", get_feature_);
    if (!complete) Unload();
    return complete;
}

void DriverLink::Unload() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
    set_vidpid_ = nullptr;
    open_dev_monitor_ = nullptr;
    close_dev_monitor_ = nullptr;
    open_feature_device_ = nullptr;
    close_feature_device_ = nullptr;
    set_feature_ = nullptr;
    get_feature_ = nullptr;
}

void DriverLink::SetVidPid(int vendor_id, int product_id) const {
    if (loaded()) set_vidpid_(vendor_id, product_id);
}

void DriverLink::OpenDevMonitor(HWND window, UINT notice_message, UINT presence_message) const {
    if (loaded()) open_dev_monitor_(window, notice_message, presence_message);
}

void DriverLink::CloseDevMonitor() const {
    if (loaded()) close_dev_monitor_();
}

int DriverLink::OpenFeatureDevice() const {
    return loaded() ? open_feature_device_() : 0;
}

void DriverLink::CloseFeatureDevice() const {
    if (loaded()) close_feature_device_();
}

int DriverLink::SetFeature(const uint8_t* report, uint32_t length) const {
    return loaded() ? set_feature_(report, static_cast<int>(length)) : 0;
}

}  // namespace nimba
