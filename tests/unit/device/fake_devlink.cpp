#include "fake_devlink.h"

#include "devlink.h"

namespace {
FakeDevlinkState g_state;
}

extern "C" {

FakeDevlinkState* FakeDevlink_State() {
    return &g_state;
}

// Tests post the driver's messages themselves.
void Set_VIDPID(int, int) {}
void Open_DevMonitor(HWND, UINT, UINT) {}

void Close_DevMonitor() {}

int Open_FeatureDevice() {
    std::lock_guard lock(g_state.mutex);
    ++g_state.open_calls;
    return g_state.open_result;
}

void Close_FeatureDevice() {
    std::lock_guard lock(g_state.mutex);
    ++g_state.close_feature_calls;
}

int SetFeature(const BYTE* report, int length) {
    std::vector<uint8_t> bytes(report, report + length);
    std::function<void(const std::vector<uint8_t>&)> after;
    {
        std::lock_guard lock(g_state.mutex);
        g_state.writes.push_back(bytes);
        after = g_state.after_write;
    }
    if (after) after(bytes);
    return 1;
}

#ifndef FAKE_DEVLINK_WITHOUT_GET_FEATURE
int GetFeature(BYTE*, int) {
    return 0;
}
#endif

}  // extern "C"
