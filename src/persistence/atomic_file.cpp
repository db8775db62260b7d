#include "persistence/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "persistence/file_stream.h"

namespace nimba {
namespace {

// Unique per process and call, so concurrent saves never share a temporary file.
std::string TemporaryPathBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(++counter);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(OutputStream&)>& write) {
    const std::string temporary = TemporaryPathBeside(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    FileOutputStream out(fd);
    bool ok = write(out) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

}  // namespace nimba
