#pragma once

// What every harness asserts beyond "no crash". A broken promise aborts like a sanitizer
// finding, so libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "persistence/byte_stream.h"

#define FUZZ_CHECK(condition)                                                            \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                \
        }                                                                                \
    } while (0)

namespace nimba::fuzz {

// What a store would write, kept in memory.
class MemoryOutputStream final : public OutputStream {
public:
    bool Write(const void* data, size_t size) override {
        const auto* from = static_cast<const char*>(data);
        bytes.insert(bytes.end(), from, from + size);
        return true;
    }
    std::vector<char> bytes;
};

}  // namespace nimba::fuzz
