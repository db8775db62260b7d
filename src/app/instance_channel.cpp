#include "app/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "platform/private_folder.h"

namespace nimba {
namespace {

constexpr std::string_view kStoresChangedVerb = "stores-changed ";
constexpr std::array<std::string_view, 3> kApplyWords = {"none", "changed", "all"};
constexpr std::array<std::string_view, 4> kAnswerWords = {"ok", "no-mouse", "later", "other"};
constexpr size_t kMaxAnswer = 64;
constexpr useconds_t kConnectRetryUs = 10000;
constexpr useconds_t kListenRetryUs = 50000;

// Named after the main window's class, as the running copy is found by it.
std::string InstancePath(const std::string& runtime_folder, const char* suffix) {
    return runtime_folder + "NIMBA R380X mouse" + suffix;
}

template <typename Enum, size_t N>
std::optional<Enum> FromWord(const std::array<std::string_view, N>& words, std::string_view word) {
    for (size_t i = 0; i < N; ++i) {
        if (words[i] == word) return static_cast<Enum>(i);
    }
    return std::nullopt;
}

int MsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count());
}

// A connected socket, or -1. Non-blocking: with a stalled program's queue full, a blocking
// connect would wait for good. A copy that holds the lock but refuses the connection has just
// started and listens once its window is up, so it is asked again until `timeout_ms`.
int ConnectWithin(const std::string& runtime_folder, const sockaddr_un& address,
                  std::chrono::steady_clock::time_point start, int timeout_ms) {
    for (;;) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return -1;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return fd;
        const int error = errno;
        close(fd);
        const bool queue_full = error == EAGAIN || error == EINTR;
        const bool starting =
            (error == ECONNREFUSED || error == ENOENT) && InstanceRuns(runtime_folder);
        if ((!queue_full && !starting) || MsSince(start) >= timeout_ms) return -1;
        usleep(queue_full ? kConnectRetryUs : kListenRetryUs);
    }
}

// One line from a connected socket, without its '\n'; nothing when it has not come whole
// within `timeout_ms` or is longer than `max_length`.
std::optional<std::string> ReadLine(int fd, int timeout_ms, size_t max_length) {
    const auto start = std::chrono::steady_clock::now();
    std::string text;
    char buffer[256];
    for (;;) {
        if (const size_t end = text.find('\n'); end != std::string::npos) {
            text.resize(end);
            return text;
        }
        if (text.size() > max_length) return std::nullopt;
        const int left = timeout_ms - MsSince(start);
        pollfd readable{fd, POLLIN, 0};
        if (left <= 0 || poll(&readable, 1, left) <= 0) return std::nullopt;
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) return std::nullopt;
        text.append(buffer, static_cast<size_t>(got));
    }
}

}  // namespace

std::string DefaultRuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        std::string folder(runtime);
        return folder.back() == '/' ? folder : folder + "/";
    }
    return "/tmp/nimba-r380x-" + std::to_string(getuid()) + "/";
}

std::string InstanceLockPath(const std::string& runtime_folder) {
    return InstancePath(runtime_folder, ".lock");
}

std::string InstanceSocketPath(const std::string& runtime_folder) {
    return InstancePath(runtime_folder, ".sock");
}

bool InstanceSocketAddress(const std::string& runtime_folder, sockaddr_un& address) {
    return platform::UnixAddress(InstanceSocketPath(runtime_folder), address);
}

bool InstanceRuns(const std::string& runtime_folder) {
    const int fd = open(InstanceLockPath(runtime_folder).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // Shared, and only for the moment of the question: a copy starting now retries.
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

std::string StoresChangedRequest(const StoresChanged& change) {
    return std::string(kStoresChangedVerb) +
           std::string(kApplyWords[static_cast<size_t>(change.apply)]) + " " +
           change.data_directory;
}

std::optional<StoresChanged> ParseStoresChanged(std::string_view line) {
    if (!line.starts_with(kStoresChangedVerb)) return std::nullopt;
    line.remove_prefix(kStoresChangedVerb.size());
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const auto apply = FromWord<StoresApply>(kApplyWords, line.substr(0, space));
    if (!apply || space + 1 == line.size()) return std::nullopt;
    return StoresChanged{*apply, std::string(line.substr(space + 1))};
}

std::string_view AnswerWord(InstanceAnswer answer) {
    return kAnswerWords[static_cast<size_t>(answer)];
}

std::optional<InstanceAnswer> ParseAnswer(std::string_view word) {
    return FromWord<InstanceAnswer>(kAnswerWords, word);
}

std::optional<std::string> AskRunningCopy(const std::string& runtime_folder,
                                          std::string_view request, int timeout_ms) {
    const auto start = std::chrono::steady_clock::now();
    sockaddr_un address;
    if (!InstanceSocketAddress(runtime_folder, address)) return std::nullopt;
    const int fd = ConnectWithin(runtime_folder, address, start, timeout_ms);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> answer;
    const std::string line = std::string(request) + "\n";
    if (send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size())) {
        answer = ReadLine(fd, timeout_ms - MsSince(start), kMaxAnswer);
    }
    close(fd);
    return answer;
}

}  // namespace nimba
