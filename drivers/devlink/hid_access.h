#pragma once

#include <hidapi.h>

#include <optional>
#include <string>

namespace nimba::devlink {

// One hidapi session for both driver libraries. These calls take the process-wide hidapi
// lock (platform/hid_lock.h); reads and writes on an open device need none.
std::optional<std::string> FindVendorInterface(int vendorId, int productId);
hid_device* OpenInterface(const std::string& path);
void CloseInterface(hid_device* device);

}  // namespace nimba::devlink
