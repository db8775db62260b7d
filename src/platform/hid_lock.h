#pragma once

#include <mutex>

namespace platform {

// hidapi keeps process-wide state (its initialisation and last error) that is not safe to
// touch from two threads at once, and the program's Bluetooth check and the driver libraries'
// monitor threads all use it. Each takes this one lock, shared by the whole process through
// the platform library, around hid_init, enumeration, open and close.
std::mutex& HidApiMutex();

}  // namespace platform
