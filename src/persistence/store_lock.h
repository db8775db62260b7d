#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>

namespace nimba {

// How long a thread the user waits on (the window thread, a command) waits for another process
// to let go of the stores before it says so.
inline constexpr std::chrono::milliseconds kStoreLockWait{500};

// The advisory lock (flock) on a file beside pro.data and macro.data that every process writing
// them holds from reading a store to writing it back, so one writer never overwrites what
// another wrote in between. Within a process the lock is shared: a thread taking it while another
// thread of the process holds it goes on at once, as each store's own mutex keeps threads apart.
class StoreLock {
public:
    // Nothing when another process held the lock for all of `wait`. Where no lock file can be
    // made (a folder nobody may write), nobody can write the stores either: that counts as held.
    static std::optional<StoreLock> Take(const std::string& data_directory,
                                         std::chrono::milliseconds wait);

    StoreLock(StoreLock&& other) noexcept : held_(std::exchange(other.held_, false)) {}
    StoreLock& operator=(StoreLock&&) = delete;
    ~StoreLock();

private:
    StoreLock() = default;
    bool held_ = true;
};

std::string StoreLockPath(const std::string& data_directory);

}  // namespace nimba
