#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(DebugOutput, WritesOneLinePerTraceOnlyWhenEnabled) {
    unsetenv("NIMBA_DEBUG");
    testing::internal::CaptureStderr();
    OutputDebugStringW(L"Wireless Send = 1");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    setenv("NIMBA_DEBUG", "1", 1);
    testing::internal::CaptureStderr();
    OutputDebugStringW(L"ilen = 9\r\n");
    OutputDebugStringW(L"Wireless Send = 1");
    OutputDebugStringW(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ilen = 9\nWireless Send = 1\n");
    unsetenv("NIMBA_DEBUG");
}

}  // namespace
