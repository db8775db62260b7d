#pragma once

// A driver library for tests: the seven entry points plus FakeDevlink_State, through which a
// test sets what the device answers and reads what the program did.

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/win_types.h"

struct FakeDevlinkState {
    std::mutex mutex;
    int open_result = 0;  // what Open_FeatureDevice answers
    int open_calls = 0;
    int close_feature_calls = 0;
    std::vector<std::vector<uint8_t>> writes;
    // Runs after each recorded write, outside the lock (a test may block or answer here).
    std::function<void(const std::vector<uint8_t>&)> after_write;

    void Reset(int open) {
        std::lock_guard lock(mutex);
        open_result = open;
        open_calls = close_feature_calls = 0;
        writes.clear();
        after_write = nullptr;
    }
    int Locked(const int& field) {
        std::lock_guard lock(mutex);
        return field;
    }
    size_t Writes() {
        std::lock_guard lock(mutex);
        return writes.size();
    }
};

extern "C" FakeDevlinkState* FakeDevlink_State();
using FakeDevlink_State_Fn = decltype(&FakeDevlink_State);
