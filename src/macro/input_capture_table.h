#pragma once

// The input capture library's seven entry points, looked up by name when the main window loads
// it; every one stays null when the library is missing.

#include "platform/win_types.h"

namespace nimba {

struct InputCaptureTable {
    using Action = void (*)();
    using Switch = void (*)(int on);
    using Install = void (*)(HWND receiver);

    Action installmousehook = nullptr;
    Action removemousehook = nullptr;
    Switch enablemousehook = nullptr;
    Install installhook = nullptr;
    Action removehook = nullptr;
    Switch enablehook = nullptr;
    Switch mousewheelenable = nullptr;
};

}  // namespace nimba
