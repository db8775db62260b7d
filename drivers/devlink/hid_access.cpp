#include "hid_access.h"

#include <mutex>

#include "platform/hid_lock.h"

namespace nimba::devlink {

namespace {

// The mouse's own reports live on its vendor-defined interface; the others are the
// ordinary mouse and keyboard interfaces the system input stack owns.
constexpr unsigned short kVendorUsagePage = 0xFF00;

// Ends hidapi, freeing what it keeps, when the last driver library is unloaded.
struct HidSession {
    bool ok = hid_init() == 0;
    ~HidSession() { hid_exit(); }
};

bool HidReady() {
    static HidSession session;
    return session.ok;
}

}  // namespace

std::optional<std::string> FindVendorInterface(int vendorId, int productId) {
    std::lock_guard lock(platform::HidApiMutex());
    if (!HidReady()) return std::nullopt;
    std::optional<std::string> path;
    hid_device_info* list = hid_enumerate(static_cast<unsigned short>(vendorId),
                                          static_cast<unsigned short>(productId));
    for (hid_device_info* info = list; info != nullptr; info = info->next) {
        if (info->usage_page >= kVendorUsagePage && info->path != nullptr) {
            path = info->path;
            break;
        }
    }
    hid_free_enumeration(list);
    return path;
}

hid_device* OpenInterface(const std::string& path) {
    std::lock_guard lock(platform::HidApiMutex());
    return HidReady() ? hid_open_path(path.c_str()) : nullptr;
}

void CloseInterface(hid_device* device) {
    std::lock_guard lock(platform::HidApiMutex());
    if (device != nullptr) hid_close(device);
}

}  // namespace nimba::devlink
