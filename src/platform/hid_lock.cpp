#include "platform/hid_lock.h"

namespace platform {

std::mutex& HidApiMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace platform
