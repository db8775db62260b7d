// The driver library's device watch on a stand-in for a hidraw node (a FIFO) and for the
// system's device events (a pipe the test writes one byte to per event).

#include "device_watch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/messages.h"
#include "recording_window.h"

namespace nimba::devlink {
namespace {

using namespace std::chrono_literals;
using test::Posted;

constexpr UINT kNotice = 1537;
constexpr UINT kPresence = 1538;

// Handles the window's messages until `count` have come or a second has passed.
std::vector<Posted> Await(test::RecordingWindow& window, size_t count) {
    const auto end = std::chrono::steady_clock::now() + 1s;
    while (window.messages.size() < count && std::chrono::steady_clock::now() < end) {
        platform::DispatchPending();
        std::this_thread::sleep_for(1ms);
    }
    return window.Take();
}

double ProcessCpuMs() {
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) * 1000 + static_cast<double>(cpu.tv_nsec) / 1e6;
}

TEST(DeviceWatch, PostsArrivalNoticesAndRemovalAsTheyHappenAndIdlesWithoutCpu) {
    const std::string node = ::testing::TempDir() + "hidraw-" + std::to_string(::getpid());
    ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
    int events[2];
    ASSERT_EQ(::pipe2(events, O_CLOEXEC), 0);
    const auto event = [&] { ASSERT_EQ(::write(events[1], "e", 1), 1); };
    std::atomic<bool> plugged{false};
    test::RecordingWindow window;
    int device = -1;
    {
        DeviceWatch watch({window.hwnd, kNotice, kPresence},
                          {events[0],
                           [&] {
                               char taken;
                               ASSERT_EQ(::read(events[0], &taken, 1), 1);
                           }},
                          [&]() -> std::optional<std::string> {
                              if (plugged) return node;
                              return std::nullopt;
                          });
        // Nothing there and nothing happening: the watch sleeps.
        const double cpu = ProcessCpuMs();
        std::this_thread::sleep_for(300ms);
        EXPECT_LT(ProcessCpuMs() - cpu, 5.0);
        EXPECT_TRUE(Await(window, 0).empty());

        plugged = true;
        event();
        EXPECT_EQ(Await(window, 1), std::vector<Posted>{(Posted{kPresence, 1, 0})});
        // The watch has the node open for reading now, so the device can write to it.
        device = ::open(node.c_str(), O_WRONLY | O_CLOEXEC);
        const uint8_t stage[] = {0x47, 0x10, 0x03, 0x00};
        ASSERT_EQ(::write(device, stage, sizeof stage), 4);
        EXPECT_EQ(Await(window, 1), std::vector<Posted>{(Posted{kNotice, 0x1047, 3})});

        plugged = false;
        event();
        EXPECT_EQ(Await(window, 1), std::vector<Posted>{(Posted{kPresence, 0, 0})});
    }
    ::close(device);
    ::close(events[0]);
    ::close(events[1]);
    ::unlink(node.c_str());
}

}  // namespace
}  // namespace nimba::devlink
