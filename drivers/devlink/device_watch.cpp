#include "device_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "input_report.h"
#include "platform/messages.h"

namespace nimba::devlink {
namespace {

constexpr size_t kInputReportMax = 64;

}  // namespace

DeviceWatch::DeviceWatch(Messages messages, Events events, Find find)
    : messages_(messages),
      events_(std::move(events)),
      find_(std::move(find)),
      stop_fd_(::eventfd(0, EFD_CLOEXEC)),
      thread_([this] { Run(); }) {}

DeviceWatch::~DeviceWatch() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_fd_, &one, sizeof one);
    thread_.join();
    ::close(stop_fd_);
}

void DeviceWatch::Run() {
    Refresh(false);
    for (;;) {
        // poll skips a negative descriptor: no input while the device is not open.
        pollfd fds[3] = {{stop_fd_, POLLIN, 0}, {events_.fd, POLLIN, 0}, {input_, POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents != 0) break;
        if (fds[1].revents != 0) {
            events_.take();
            Refresh(true);
        }
        if (fds[2].revents != 0 && input_ >= 0) ReadNotices();
    }
    CloseInput();
}

void DeviceWatch::Refresh(bool post) {
    const std::optional<std::string> node = find_();
    if (!node) {
        CloseInput();
    } else if (input_ < 0) {
        // Read and write, as the feature device is opened: present means usable.
        input_ = ::open(node->c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    const bool present = input_ >= 0;
    if (post && present != present_) {
        PostMessageW(messages_.window, messages_.presence, present ? 1 : 0, 0);
    }
    present_ = present;
}

void DeviceWatch::ReadNotices() {
    uint8_t buffer[kInputReportMax];
    const ssize_t read = ::read(input_, buffer, sizeof buffer);
    if (read < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (read <= 0) {
        // The node went with its device; whether it is really gone, the search tells.
        CloseInput();
        Refresh(true);
        return;
    }
    for (const Notice& notice : ParseInputReport(buffer, static_cast<size_t>(read))) {
        PostMessageW(messages_.window, messages_.notice, notice.word, notice.value);
    }
}

void DeviceWatch::CloseInput() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
}

}  // namespace nimba::devlink
