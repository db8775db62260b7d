#pragma once

#include <memory>
#include <string>

#include "persistence/byte_stream.h"

namespace nimba {

// A file opened for reading, byte for byte.
class FileInputStream final : public InputStream {
public:
    // Null when the file cannot be opened.
    static std::unique_ptr<FileInputStream> Open(const std::string& path);
    ~FileInputStream() override;
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;

    size_t Read(void* data, size_t size) override;

private:
    explicit FileInputStream(int fd) : fd_(fd) {}
    int fd_;
};

// A file descriptor written to; the descriptor stays the caller's.
class FileOutputStream final : public OutputStream {
public:
    explicit FileOutputStream(int fd) : fd_(fd) {}
    bool Write(const void* data, size_t size) override;

private:
    int fd_;
};

}  // namespace nimba
