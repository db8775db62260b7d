#include "persistence/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <mutex>
#include <thread>

#include "persistence/data_directory.h"

namespace nimba {
namespace {

constexpr auto kRetry = std::chrono::milliseconds(2);

// One lock file per process; the holders count how many threads are inside.
struct ProcessLock {
    std::mutex mutex;
    int fd = -1;
    std::string path;
    int holders = 0;
};

ProcessLock& Shared() {
    static ProcessLock lock;
    return lock;
}

// Opens the lock file, creating it when it is missing; -1 when it can be neither.
int OpenLockFile(ProcessLock& lock, const std::string& path) {
    if (lock.fd >= 0 && lock.path == path) return lock.fd;
    if (lock.fd >= 0) ::close(lock.fd);
    lock.path = path;
    lock.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (lock.fd < 0) lock.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    return lock.fd;
}

}  // namespace

std::string StoreLockPath(const std::string& data_directory) {
    return data_directory + kStoreFolder + "stores.lock";
}

std::optional<StoreLock> StoreLock::Take(const std::string& data_directory,
                                         std::chrono::milliseconds wait) {
    ProcessLock& shared = Shared();
    const std::string path = StoreLockPath(data_directory);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    EnsureFolder(data_directory + kStoreFolder);
    for (;;) {
        {
            std::lock_guard guard(shared.mutex);
            if (shared.holders > 0) {
                ++shared.holders;
                return StoreLock();
            }
            const int fd = OpenLockFile(shared, path);
            if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                shared.holders = 1;
                return StoreLock();
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(kRetry);
    }
}

StoreLock::~StoreLock() {
    if (!held_) return;
    ProcessLock& shared = Shared();
    std::lock_guard guard(shared.mutex);
    if (--shared.holders == 0 && shared.fd >= 0) ::flock(shared.fd, LOCK_UN);
}

}  // namespace nimba
