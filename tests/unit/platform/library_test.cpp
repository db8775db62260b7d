#include "platform/library.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring PluginPath(const char* file) {
    std::string path = std::string(TEST_PLUGIN_DIR) + "/" + file;
    return std::wstring(path.begin(), path.end());
}

TEST(Library, WindowsNameLoadsTheSharedObjectAndFailuresGiveNull) {
    for (const char* name : {"test_plugin.dll", "test_plugin.DLL", "test_plugin.so"}) {
        HMODULE module = LoadLibraryW(PluginPath(name).c_str());
        ASSERT_NE(module, nullptr) << name;
        auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "PluginAnswer"));
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 42);
        EXPECT_EQ(GetProcAddress(module, "NoSuchEntry"), nullptr);
        EXPECT_TRUE(FreeLibrary(module));
    }
    // Failures give null, not a crash.
    EXPECT_EQ(LoadLibraryW(PluginPath("no_such_library.dll").c_str()), nullptr);
    EXPECT_EQ(LoadLibraryW(L""), nullptr);
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "PluginAnswer"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

}  // namespace
