#include "persistence/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace nimba {

std::string DescribeOpenFailure(const OpenFailure& failure) {
    switch (failure.problem) {
        case FileProblem::kNone:
            break;
        case FileProblem::kMissing:
            return "does not exist";
        case FileProblem::kNotAFile:
            return "is not a regular file (a folder, pipe or device)";
        case FileProblem::kUnreadable:
            return std::string("cannot be read: ") + std::strerror(failure.error);
    }
    return {};
}

std::unique_ptr<FileInputStream> FileInputStream::Open(const std::string& path,
                                                       OpenFailure* failure) {
    OpenFailure ignored;
    OpenFailure& why = failure != nullptr ? *failure : ignored;
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer for good.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        why = errno == ENOENT || errno == ENOTDIR ? OpenFailure{FileProblem::kMissing, errno}
              : errno == ENXIO                    ? OpenFailure{FileProblem::kNotAFile, errno}
                                                  : OpenFailure{FileProblem::kUnreadable, errno};
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = {FileProblem::kNotAFile, 0};
        ::close(fd);
        return nullptr;
    }
    // A regular file never blocks; reads go on as on any descriptor.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    why = {};
    return std::unique_ptr<FileInputStream>(
        new FileInputStream(fd, static_cast<size_t>(info.st_size)));
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

std::optional<std::string> ReadSmallFile(const std::string& path, size_t max_size) {
    const auto in = FileInputStream::Open(path);
    if (!in) return std::nullopt;
    // Sized to the file rather than to the limit, with a byte over for one that grew meanwhile.
    std::string text(std::min(in->size() + 1, max_size), '\0');
    text.resize(in->Read(text.data(), text.size()));
    return text;
}

}  // namespace nimba
