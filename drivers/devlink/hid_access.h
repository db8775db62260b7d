#pragma once

#include <hidapi.h>

#include <optional>
#include <string>

namespace nimba::devlink {

// hidapi keeps process-wide state (initialisation, its last error) that is not safe to touch
// from two threads at once, and both driver libraries and their monitor threads use it. These
// calls take one lock for the whole process; reads and writes on an open device need none.
std::optional<std::string> FindVendorInterface(int vendorId, int productId);
hid_device* OpenInterface(const std::string& path);
void CloseInterface(hid_device* device);

}  // namespace nimba::devlink
