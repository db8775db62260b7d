#pragma once

// One copy of the program per user: the first start holds a lock file in the user's runtime
// folder and listens on a socket beside it; a later start finds the lock taken, asks the
// running copy to show itself (message 1037) and ends. nimba-mousectl asks it over the same
// socket to read the stores again after a change (kStoresChangedMessage). The kernel drops
// the lock of a killed copy, so a crash never blocks the next start.

#include <QSocketNotifier>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace nimba {

class SingleInstance {
public:
    // `runtime_folder` empty: $XDG_RUNTIME_DIR, else a private folder under /tmp.
    explicit SingleInstance(std::string runtime_folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the only copy (the lock is now held).
    bool Acquire();
    // The second copy: asks the running one to show itself and waits until it has (2 s at most).
    void SignalRunningCopy() const;
    // The first copy: each request reaches `window` as its message before it is answered.
    void Listen(HWND window);

    const std::string& folder() const { return folder_; }

private:
    struct Connection;

    void OnRequest();
    void OnReadable(Connection* client);
    // Hands a whole request line to the window and writes its answer.
    void Answer(int fd, const std::string& request);
    void Drop(Connection* client);

    std::string folder_;
    int lock_fd_ = -1;
    int listen_fd_ = -1;
    HWND window_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace nimba
