// The driver library's device watch on stand-ins: a FIFO for the hidraw node, a pipe that the
// test writes one byte to per device event.

#include "device_watch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

#include "recording_window.h"

namespace nimba::devlink {
namespace {

using namespace std::chrono_literals;
using test::Posted;

// The window's messages once `count` have come, or a second has passed.
std::vector<Posted> Await(test::RecordingWindow& window, size_t count) {
    for (int i = 0; i < 1000 && window.messages.size() < count; ++i) {
        platform::DispatchPending();
        std::this_thread::sleep_for(1ms);
    }
    return window.Take();
}

TEST(DeviceWatch, PostsArrivalNoticesAndRemovalAsTheyHappenAndIdlesWithoutCpu) {
    const std::string node = ::testing::TempDir() + "hidraw-" + std::to_string(::getpid());
    ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
    int events[2];
    ASSERT_EQ(::pipe(events), 0);
    std::atomic<bool> plugged{false};
    const auto event = [&](bool now_plugged) {
        plugged = now_plugged;
        ASSERT_EQ(::write(events[1], "e", 1), 1);
    };
    test::RecordingWindow window;
    char taken;
    DeviceWatch watch({window.hwnd, 1537, 1538},
                      {events[0], [&] { [[maybe_unused]] auto n = ::read(events[0], &taken, 1); }},
                      [&] { return plugged ? std::optional(node) : std::nullopt; });

    const std::clock_t cpu = std::clock();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC / 200);  // under 5 ms in 300 ms
    event(true);
    EXPECT_EQ(Await(window, 1), std::vector<Posted>{(Posted{1538, 1, 0})});
    // The watch has the node open for reading by now, so the device can write to it.
    const int device = ::open(node.c_str(), O_WRONLY);
    const uint8_t stage[] = {0x47, 0x10, 0x03, 0x00};
    ASSERT_EQ(::write(device, stage, sizeof stage), 4);
    EXPECT_EQ(Await(window, 1), std::vector<Posted>{(Posted{1537, 0x1047, 3})});
    event(false);
    EXPECT_EQ(Await(window, 1), std::vector<Posted>{(Posted{1538, 0, 0})});
    ::close(device);
    ::unlink(node.c_str());
}

}  // namespace
}  // namespace nimba::devlink
