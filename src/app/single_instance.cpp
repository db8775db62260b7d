#include "app/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>

#include "app/main_wnd.h"
#include "platform/messages.h"

namespace nimba {
namespace {

constexpr char kRequest[] = "1037\n";
constexpr char kAnswer[] = "ok\n";
constexpr int kAnswerTimeoutMs = 2000;

std::string DefaultFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        return std::string(runtime) + "/";
    }
    const std::string folder = "/tmp/nimba-r380x-" + std::to_string(getuid()) + "/";
    mkdir(folder.c_str(), 0700);
    return folder;
}

bool SocketAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

SingleInstance::SingleInstance(std::string runtime_folder)
    : folder_(runtime_folder.empty() ? DefaultFolder() : std::move(runtime_folder)) {
    if (folder_.back() != '/') folder_ += '/';
}

SingleInstance::~SingleInstance() {
    notifier_.reset();
    if (listen_fd_ >= 0) {
        close(listen_fd_);
        unlink(Path(".sock").c_str());
    }
    if (lock_fd_ >= 0) close(lock_fd_);
}

std::string SingleInstance::Path(const char* suffix) const {
    // Named after the main window's class, as the running copy is found by it.
    return folder_ + "NIMBA R380X mouse" + suffix;
}

bool SingleInstance::Acquire() {
    lock_fd_ = open(Path(".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file there is no way to tell; running is better than refusing.
    if (lock_fd_ < 0) return true;
    if (flock(lock_fd_, LOCK_EX | LOCK_NB) == 0) return true;
    close(lock_fd_);
    lock_fd_ = -1;
    return false;
}

void SingleInstance::SignalRunningCopy() const {
    sockaddr_un address;
    if (!SocketAddress(Path(".sock"), address)) return;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) > 0) {
        pollfd answer{fd, POLLIN, 0};
        char byte;
        if (poll(&answer, 1, kAnswerTimeoutMs) > 0) (void)!recv(fd, &byte, 1, 0);
    }
    close(fd);
}

void SingleInstance::Listen(HWND window) {
    window_ = window;
    sockaddr_un address;
    const std::string path = Path(".sock");
    if (!SocketAddress(path, address)) return;
    listen_fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listen_fd_ < 0) return;
    // The lock is ours, so a socket file left there belongs to a copy that is gone.
    unlink(path.c_str());
    const mode_t old_mask = umask(0177);  // born 0600: only this user may ask
    const bool bound = bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    umask(old_mask);
    if (!bound || listen(listen_fd_, 4) != 0) {
        close(listen_fd_);
        listen_fd_ = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(listen_fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnRequest(); });
}

void SingleInstance::OnRequest() {
    const int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    pollfd request{fd, POLLIN, 0};
    char buffer[sizeof kRequest] = {};
    if (poll(&request, 1, kAnswerTimeoutMs) > 0 && recv(fd, buffer, sizeof buffer - 1, 0) > 0 &&
        std::strcmp(buffer, kRequest) == 0 && IsWindow(window_)) {
        SendMessageW(window_, kShowWindowMessage, 0, 0);
        (void)!send(fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL);
    }
    close(fd);
}

}  // namespace nimba
