// The real driver libraries on a machine without the mouse: they load, report it absent and
// refuse writes, and their monitor stops promptly.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "devlink.h"
#include "platform/library.h"
#include "platform/messages.h"

namespace {

std::wstring LibraryPath(const char* name) {
    const char* dir = std::getenv("NIMBA_BIN_DIR");
    const std::string path = std::string(dir != nullptr ? dir : ".") + "/" + name;
    return {path.begin(), path.end()};
}

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(GetProcAddress(module, name));
}

void ExpectQuietWithoutHardware(const char* file, int productId, UINT noticeMessage) {
    SCOPED_TRACE(file);
    HMODULE module = LoadLibraryW(LibraryPath(file).c_str());
    ASSERT_NE(module, nullptr);
    for (const char* name :
         {"Set_VIDPID", "Open_DevMonitor", "Close_DevMonitor", "Open_FeatureDevice",
          "Close_FeatureDevice", "SetFeature", "GetFeature"}) {
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    }
    HWND window = CreatePlatformWindow([](HWND, UINT, WPARAM, LPARAM) { return LRESULT{0}; });

    Lookup<Set_VIDPID_Fn>(module, "Set_VIDPID")(0x1D57, productId);
    Lookup<Open_DevMonitor_Fn>(module, "Open_DevMonitor")(window, noticeMessage, noticeMessage + 1);
    EXPECT_EQ(Lookup<Open_FeatureDevice_Fn>(module, "Open_FeatureDevice")(), 0);
    const BYTE rate[9] = {0x06, 0x09, 0x01, 0x01, 0xFE, 0, 0, 0, 0};
    EXPECT_EQ(Lookup<SetFeature_Fn>(module, "SetFeature")(rate, 9), 0);
    Lookup<Close_FeatureDevice_Fn>(module, "Close_FeatureDevice")();

    const auto start = std::chrono::steady_clock::now();
    Lookup<Close_DevMonitor_Fn>(module, "Close_DevMonitor")();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // Unloading with the monitor open again must stop its thread, not leave it in freed code.
    Lookup<Open_DevMonitor_Fn>(module, "Open_DevMonitor")(window, noticeMessage, noticeMessage + 1);
    EXPECT_TRUE(FreeLibrary(module));
    DestroyPlatformWindow(window);
}

}  // namespace

TEST(HidDevlink, LoadsAndStaysQuietWithoutTheMouse) {
    ExpectQuietWithoutHardware("devlink_2.dll", 0x2015, 1539);
    ExpectQuietWithoutHardware("devlink_1.dll", 0xFA60, 1537);
}
