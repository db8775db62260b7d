// The loader over the real driver libraries on a machine without the mouse: they load with every
// entry point, and unloading them with their monitor open stops it. Reporting the mouse absent,
// promptly, is SettingsStoryTest.ApplyWithoutAnAnsweringMouseIsNoSuccess's part.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "devlink.h"
#include "platform/library.h"
#include "platform/messages.h"

namespace {

void ExpectLoadsAndUnloads(const char* file, int productId, UINT noticeMessage) {
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
    EXPECT_EQ(GetProcAddress(module, "NoSuchEntry"), nullptr);
    HWND window = CreatePlatformWindow([](HWND, UINT, WPARAM, LPARAM) { return LRESULT{0}; });
    reinterpret_cast<Set_VIDPID_Fn>(GetProcAddress(module, "Set_VIDPID"))(0x1D57, productId);
    // Unloading with the monitor open must stop its thread, not leave it in freed code.
    reinterpret_cast<Open_DevMonitor_Fn>(GetProcAddress(module, "Open_DevMonitor"))(
        window, noticeMessage, noticeMessage + 1);
    EXPECT_TRUE(FreeLibrary(module));
    DestroyPlatformWindow(window);
}

}  // namespace

TEST(HidDevlink, LoadsAndUnloadsWithTheMonitorOpenWithoutTheMouse) {
    ExpectLoadsAndUnloads("devlink_2.dll", 0x2015, 1539);
    ExpectLoadsAndUnloads("devlink_1.dll", 0xFA60, 1537);
    // What is not there gives null, not a crash; the capture library is freed unchecked.
    EXPECT_EQ(LoadLibraryW(L"/nonexistent/devlink_1.dll"), nullptr);
    EXPECT_EQ(LoadLibraryW(L""), nullptr);
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "SetFeature"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}
