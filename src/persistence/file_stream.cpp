#include "persistence/file_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace nimba {

std::unique_ptr<FileInputStream> FileInputStream::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::unique_ptr<FileInputStream>(new FileInputStream(fd));
}

FileInputStream::~FileInputStream() {
    ::close(fd_);
}

size_t FileInputStream::Read(void* data, size_t size) {
    auto* bytes = static_cast<char*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool FileOutputStream::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace nimba
