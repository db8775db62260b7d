#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>

#include "app/instance_channel.h"
#include "app/main_wnd.h"
#include "platform/messages.h"
#include "platform/private_folder.h"

namespace nimba {
namespace {

// Room for the request word and a data directory's path.
constexpr size_t kMaxRequest = 4200;
constexpr size_t kMaxConnections = 16;
constexpr int kLockAttempts = 3;
constexpr useconds_t kLockRetryUs = 5000;

}  // namespace

// One client's request, read as its bytes arrive so that a slow or silent client never holds
// the window thread; it is dropped when no whole line came within the answer time.
struct SingleInstance::Connection {
    int fd = -1;
    std::string text;
    std::unique_ptr<QSocketNotifier> notifier;
    std::unique_ptr<QTimer> deadline;
};

SingleInstance::SingleInstance(std::string runtime_folder)
    : folder_(runtime_folder.empty() ? DefaultRuntimeFolder() : std::move(runtime_folder)) {
    if (folder_.back() != '/') folder_ += '/';
}

SingleInstance::~SingleInstance() {
    notifier_.reset();
    for (const auto& client : connections_) close(client->fd);
    connections_.clear();
    if (listen_fd_ >= 0) {
        close(listen_fd_);
        unlink(InstanceSocketPath(folder_).c_str());
    }
    if (lock_fd_ >= 0) close(lock_fd_);
}

bool SingleInstance::Acquire() {
    lock_fd_ = open(InstanceLockPath(folder_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file there is no way to tell; running is better than refusing.
    if (lock_fd_ < 0) return true;
    // A tool asking whether a copy runs holds the lock for a moment; a running copy for good.
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        if (flock(lock_fd_, LOCK_EX | LOCK_NB) == 0) return true;
        usleep(kLockRetryUs);
    }
    close(lock_fd_);
    lock_fd_ = -1;
    return false;
}

void SingleInstance::SignalRunningCopy() const {
    AskRunningCopy(folder_, kShowRequest);
}

void SingleInstance::Listen(HWND window) {
    window_ = window;
    const std::string path = InstanceSocketPath(folder_);
    listen_fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listen_fd_ < 0) return;
    // The lock is ours, so a socket file left there belongs to a copy that is gone.
    unlink(path.c_str());
    // Only this user may ask.
    if (!platform::BindPrivateSocket(listen_fd_, path) || listen(listen_fd_, 4) != 0) {
        close(listen_fd_);
        listen_fd_ = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(listen_fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnRequest(); });
}

void SingleInstance::OnRequest() {
    for (;;) {
        const int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;
        // Clients beyond these wait in vain and give up: a flood cannot use up descriptors.
        if (connections_.size() >= kMaxConnections) {
            close(fd);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        Connection* client = connection.get();
        client->fd = fd;
        client->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(client->notifier.get(), &QSocketNotifier::activated,
                         [this, client] { OnReadable(client); });
        client->deadline = std::make_unique<QTimer>();
        client->deadline->setSingleShot(true);
        QObject::connect(client->deadline.get(), &QTimer::timeout,
                         [this, client] { Drop(client); });
        client->deadline->start(kAnswerTimeoutMs);
        connections_.push_back(std::move(connection));
    }
}

void SingleInstance::OnReadable(Connection* client) {
    char buffer[512];
    for (;;) {
        const ssize_t got = recv(client->fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // more to come
        if (got <= 0) break;                                               // gone, or failed
        client->text.append(buffer, static_cast<size_t>(got));
        if (const size_t end = client->text.find('\n'); end != std::string::npos) {
            // A dialog the request opens runs its own loop: this client must not be read or
            // dropped from inside it.
            client->notifier->setEnabled(false);
            client->deadline->stop();
            Answer(client->fd, client->text.substr(0, end));
            break;
        }
        if (client->text.size() > kMaxRequest) break;
    }
    Drop(client);
}

void SingleInstance::Answer(int fd, const std::string& request) {
    std::optional<InstanceAnswer> answer;
    if (IsWindow(window_)) {
        if (request == kShowRequest) {
            SendMessageW(window_, kShowWindowMessage, 0, 0);
            answer = InstanceAnswer::kDone;
        } else if (request == kQuitRequest) {
            // Posted: the answer goes out before the window and this listener are gone.
            PostMessageW(window_, kQuitMessage, 0, 0);
            answer = InstanceAnswer::kDone;
        } else if (const auto change = ParseStoresChanged(request)) {
            answer = static_cast<InstanceAnswer>(SendMessageW(window_, kStoresChangedMessage, 0,
                                                              reinterpret_cast<LPARAM>(&*change)));
        }
    }
    if (answer) {
        const std::string line = std::string(AnswerWord(*answer)) + "\n";
        (void)!send(fd, line.data(), line.size(), MSG_NOSIGNAL);
    }
}

void SingleInstance::Drop(Connection* client) {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [client](const auto& entry) { return entry.get() == client; });
    if (found == connections_.end()) return;
    close(client->fd);
    // Called from their own signals: they go once those have returned.
    client->notifier->setEnabled(false);
    client->notifier.release()->deleteLater();
    client->deadline->stop();
    client->deadline.release()->deleteLater();
    connections_.erase(found);
}

}  // namespace nimba
