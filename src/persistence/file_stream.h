#pragma once

#include <memory>
#include <optional>
#include <string>

#include "persistence/byte_stream.h"

namespace nimba {

// Why a file could not be opened for reading.
enum class FileProblem {
    kNone,
    kMissing,
    kNotAFile,    // a folder, pipe, socket or device: only regular files hold records
    kUnreadable,  // there, but opening it failed (permissions, I/O)
};

struct OpenFailure {
    FileProblem problem = FileProblem::kNone;
    int error = 0;  // errno of kUnreadable
};

// The reason in words, for a message after the file's name ("is not a regular file").
std::string DescribeOpenFailure(const OpenFailure& failure);

// A regular file opened for reading, byte for byte.
class FileInputStream final : public InputStream {
public:
    // Null when the file cannot be opened or is not a regular file; `failure` then says why.
    // Opening never blocks, so a named pipe given as a file cannot hang the caller.
    static std::unique_ptr<FileInputStream> Open(const std::string& path,
                                                 OpenFailure* failure = nullptr);
    ~FileInputStream() override;
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;

    size_t Read(void* data, size_t size) override;
    // Its size when it was opened.
    size_t size() const { return size_; }

private:
    FileInputStream(int fd, size_t size) : fd_(fd), size_(size) {}
    int fd_;
    size_t size_;
};

// A file descriptor written to; the descriptor stays the caller's.
class FileOutputStream final : public OutputStream {
public:
    explicit FileOutputStream(int fd) : fd_(fd) {}
    bool Write(const void* data, size_t size) override;

private:
    int fd_;
};

// The first `max_size` bytes of a small regular file (a settings or rules file, a journal);
// nothing when it cannot be opened. Never blocks, as Open.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t max_size);

}  // namespace nimba
