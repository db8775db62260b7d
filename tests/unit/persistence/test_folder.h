#pragma once

// A fresh temporary folder per test and small file helpers the store tests share.

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "persistence/byte_stream.h"

namespace nimba::testing {

class TestFolder {
public:
    TestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nimba-store-XXXXXX");
        path_ = ::mkdtemp(pattern.data()) ? pattern + "/" : "";
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TestFolder(const TestFolder&) = delete;
    const std::string& path() const { return path_; }  // ends in "/"

private:
    std::string path_;
};

// The whole file in one read: the fuzzers read stores for every input.
inline std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<char> bytes(in ? static_cast<size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

inline void WriteBytes(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The stems of new names, as the English texts have them: all the stores ask for.
inline std::u16string StoreText(std::u16string_view key) {
    return key == u"add_macro_text" ? u"Macro" : u"Profile";
}

// Passes `limit` bytes on to `inner`, then fails: a disk that fills up mid-save.
class FailingOutputStream final : public OutputStream {
public:
    FailingOutputStream(OutputStream& inner, size_t limit) : inner_(inner), left_(limit) {}
    bool Write(const void* data, size_t size) override {
        const size_t passed = std::min(size, left_);
        left_ -= passed;
        return inner_.Write(data, passed) && passed == size;
    }

private:
    OutputStream& inner_;
    size_t left_;
};

}  // namespace nimba::testing
