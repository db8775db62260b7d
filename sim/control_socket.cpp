#include "sim/control_socket.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/private_folder.h"

namespace nimba::sim {

namespace {

constexpr int kClientTimeoutMs = 2000;
constexpr size_t kMaxCommand = 256;

int Connect(const std::string& path) {
    sockaddr_un address;
    if (!platform::UnixAddress(path, address)) return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool WaitReadable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) > 0;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = send(fd, text.data(), text.size(), MSG_NOSIGNAL);
        if (written <= 0) return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

const char* ChosenSocketPath() {
    const char* path = std::getenv("NIMBA_SIM_SOCKET");
    return path != nullptr && *path != '\0' ? path : nullptr;
}

}  // namespace

std::string ControlSocketPath() {
    if (const char* path = ChosenSocketPath()) return path;
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir != nullptr && *dir != '\0') {
        return std::string(dir) + "/nimba-mouse-sim.sock";
    }
    return "/tmp/nimba-mouse-sim-" + std::to_string(getuid()) + "/control.sock";
}

ControlServer::ControlServer(std::string path, Handler handler)
    : path_(std::move(path)), handler_(std::move(handler)) {
    // Whoever can reach the socket drives the mouse: only this user, in a folder of its own
    // (a socket placed by NIMBA_SIM_SOCKET is in a folder its user chose).
    const std::string folder = path_.substr(0, path_.rfind('/') + 1);
    if (const std::string refusal = platform::PreparePrivateFolder(folder);
        !refusal.empty() && ChosenSocketPath() == nullptr) {
        std::fprintf(stderr, "nimba-mouse-sim: no control socket: %s\n", refusal.c_str());
        return;
    }
    if (const int live = Connect(path_); live >= 0) {
        close(live);
        return;
    }
    unlink(path_.c_str());  // left behind by a simulator that did not end cleanly
    listen_fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listen_fd_ < 0) return;
    if (!platform::BindPrivateSocket(listen_fd_, path_) || listen(listen_fd_, 8) != 0) {
        close(listen_fd_);
        listen_fd_ = -1;
        return;
    }
    stop_fd_ = eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Serve(); });
}

ControlServer::~ControlServer() {
    if (listen_fd_ < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(stop_fd_, &one, sizeof one);
    thread_.join();
    close(stop_fd_);
    close(listen_fd_);
    unlink(path_.c_str());
}

void ControlServer::Serve() {
    for (;;) {
        pollfd entries[2] = {{listen_fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
        if (poll(entries, 2, -1) < 0) continue;
        if (entries[1].revents != 0) return;
        if (entries[0].revents == 0) continue;
        const int client = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        Answer(client);
        close(client);
    }
}

void ControlServer::Answer(int client) {
    std::string command;
    char buffer[kMaxCommand];
    while (command.find('\n') == std::string::npos && command.size() < kMaxCommand) {
        if (!WaitReadable(client, kClientTimeoutMs)) return;
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        command.append(buffer, static_cast<size_t>(got));
    }
    command = command.substr(0, command.find('\n'));
    WriteAll(client, handler_(command));
}

std::optional<std::string> SendControlCommand(const std::string& path, std::string_view command) {
    const int fd = Connect(path);
    if (fd < 0) return std::nullopt;
    std::string answer;
    if (WriteAll(fd, std::string(command) + "\n")) {
        char buffer[4096];
        while (WaitReadable(fd, kClientTimeoutMs)) {
            const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            answer.append(buffer, static_cast<size_t>(got));
        }
    }
    close(fd);
    return answer;
}

}  // namespace nimba::sim
