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

void ExpectQuietWithoutHardware(const char* file, int productId, UINT noticeMessage) {
    SCOPED_TRACE(file);
    const char* dir = std::getenv("NIMBA_BIN_DIR");
    const std::string path = std::string(dir != nullptr ? dir : ".") + "/" + file;
    HMODULE module = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    ASSERT_NE(module, nullptr);
    for (const char* name :
         {"Set_VIDPID", "Open_DevMonitor", "Close_DevMonitor", "Open_FeatureDevice",
          "Close_FeatureDevice", "SetFeature", "GetFeature"}) {
        ASSERT_NE(GetProcAddress(module, name), nullptr) << name;
    }
    auto get = [module](const char* name) { return GetProcAddress(module, name); };
    HWND window = CreatePlatformWindow([](HWND, UINT, WPARAM, LPARAM) { return LRESULT{0}; });
    const auto open_monitor = reinterpret_cast<Open_DevMonitor_Fn>(get("Open_DevMonitor"));

    reinterpret_cast<Set_VIDPID_Fn>(get("Set_VIDPID"))(0x1D57, productId);
    open_monitor(window, noticeMessage, noticeMessage + 1);
    EXPECT_EQ(reinterpret_cast<Open_FeatureDevice_Fn>(get("Open_FeatureDevice"))(), 0);
    const BYTE rate[9] = {0x06, 0x09, 0x01, 0x01, 0xFE, 0, 0, 0, 0};
    EXPECT_EQ(reinterpret_cast<SetFeature_Fn>(get("SetFeature"))(rate, 9), 0);
    reinterpret_cast<Close_FeatureDevice_Fn>(get("Close_FeatureDevice"))();

    const auto start = std::chrono::steady_clock::now();
    reinterpret_cast<Close_DevMonitor_Fn>(get("Close_DevMonitor"))();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // Unloading with the monitor open again must stop its thread, not leave it in freed code.
    open_monitor(window, noticeMessage, noticeMessage + 1);
    EXPECT_TRUE(FreeLibrary(module));
    DestroyPlatformWindow(window);
}

}  // namespace

TEST(HidDevlink, LoadsAndStaysQuietWithoutTheMouse) {
    ExpectQuietWithoutHardware("devlink_2.dll", 0x2015, 1539);
    ExpectQuietWithoutHardware("devlink_1.dll", 0xFA60, 1537);
}
