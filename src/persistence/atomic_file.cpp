#include "persistence/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "persistence/file_stream.h"

namespace nimba {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp.";

// Unique per process and call, so concurrent saves never share a temporary file; the process
// id also tells which temporaries a killed process left.
std::string TemporaryPathBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + std::string(kTemporaryMark) + std::to_string(::getpid()) + "." +
           std::to_string(++counter);
}

bool ProcessRuns(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

}  // namespace

bool WriteFileAtomically(const std::string& link_or_path,
                         const std::function<bool(OutputStream&)>& write) {
    // Renaming over a link would replace the link by a plain file.
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(link_or_path, ec);
    const std::string path = ec ? link_or_path : resolved.string();
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

void RemoveStaleTemporaries(const std::string& path) {
    const std::filesystem::path target(path);
    const std::string prefix = target.filename().string() + std::string(kTemporaryMark);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix)) continue;
        const pid_t pid = static_cast<pid_t>(std::atoi(name.c_str() + prefix.size()));
        if (!ProcessRuns(pid)) std::filesystem::remove(entry.path(), ec);
    }
}

}  // namespace nimba
