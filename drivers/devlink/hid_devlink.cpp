// The driver library over hidapi: one mouse interface, selected by vendor and product id.

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "device_watch.h"
#include "devlink.h"
#include "hid_access.h"
#include "hidraw_events.h"

namespace {

using nimba::devlink::CloseInterface;
using nimba::devlink::DeviceWatch;
using nimba::devlink::FindVendorInterface;
using nimba::devlink::HidrawEvents;
using nimba::devlink::OpenInterface;

std::mutex g_mutex;  // guards the selection and the feature handle
int g_vendor_id = 0;
int g_product_id = 0;
hid_device* g_feature_device = nullptr;

// Follows the selected device as the system's hidraw events announce it: no polling.
class Monitor {
public:
    Monitor(HWND window, UINT noticeMessage, UINT presenceMessage, int vendorId, int productId)
        : watch_({window, noticeMessage, presenceMessage},
                 {events_.fd(), [this] { events_.Take(); }},
                 [vendorId, productId] { return FindVendorInterface(vendorId, productId); }) {}

private:
    HidrawEvents events_;
    DeviceWatch watch_;  // after the events it waits on
};

std::mutex g_monitor_mutex;
std::unique_ptr<Monitor> g_monitor;

// Unloading the library must not leave its thread running in unmapped code, nor a device open.
struct OnUnload {
    ~OnUnload() {
        Close_DevMonitor();
        Close_FeatureDevice();
    }
} g_on_unload;

}  // namespace

extern "C" {

void Set_VIDPID(int vendorId, int productId) {
    std::lock_guard lock(g_mutex);
    g_vendor_id = vendorId;
    g_product_id = productId;
}

void Open_DevMonitor(HWND window, UINT noticeMessage, UINT presenceMessage) {
    int vendorId = 0;
    int productId = 0;
    {
        std::lock_guard lock(g_mutex);
        vendorId = g_vendor_id;
        productId = g_product_id;
    }
    std::lock_guard lock(g_monitor_mutex);
    g_monitor.reset();
    g_monitor =
        std::make_unique<Monitor>(window, noticeMessage, presenceMessage, vendorId, productId);
}

void Close_DevMonitor() {
    std::lock_guard lock(g_monitor_mutex);
    g_monitor.reset();
}

int Open_FeatureDevice() {
    std::lock_guard lock(g_mutex);
    if (g_feature_device != nullptr) return 1;
    const std::optional<std::string> path = FindVendorInterface(g_vendor_id, g_product_id);
    if (!path) return 0;
    g_feature_device = OpenInterface(*path);
    return g_feature_device != nullptr ? 1 : 0;
}

void Close_FeatureDevice() {
    std::lock_guard lock(g_mutex);
    if (g_feature_device != nullptr) CloseInterface(g_feature_device);
    g_feature_device = nullptr;
}

int SetFeature(const BYTE* report, int length) {
    std::lock_guard lock(g_mutex);
    if (g_feature_device == nullptr || report == nullptr || length <= 0) return 0;
    return hid_send_feature_report(g_feature_device, report, static_cast<size_t>(length)) >= 0 ? 1
                                                                                               : 0;
}

int GetFeature(BYTE*, int) {
    return 0;
}

}  // extern "C"
