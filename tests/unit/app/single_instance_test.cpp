#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/instance_channel.h"
#include "platform/private_folder.h"
#include "test_folder.h"

namespace nimba {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int MsSince(Clock::time_point start) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class SingleInstanceTest : public ::testing::Test {
protected:
    int Connect() {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un address;
        InstanceSocketAddress(folder_, address);
        connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        return fd;
    }

    testing::TestFolder dir_;
    const std::string folder_ = dir_.path();
};

TEST_F(SingleInstanceTest, ASilentClientHoldsUpNoOtherRequest) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name};
    QCoreApplication application(argc, argv);
    SingleInstance instance(folder_);
    ASSERT_TRUE(instance.Acquire());
    instance.Listen(nullptr);  // no window: a request is read, then dropped unanswered
    const int silent = Connect();
    std::atomic<int> took{-1};
    std::thread asker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the silent one is first
        const auto start = Clock::now();
        AskRunningCopy(folder_, kShowRequest);
        took = MsSince(start);
    });
    const auto start = Clock::now();
    while (took < 0 && MsSince(start) < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    asker.join();
    close(silent);
    // Read on the window thread, the silent client used to hold every request for 2 s.
    EXPECT_LT(took, 250);
}

TEST_F(SingleInstanceTest, AClientGivesUpOnACopyThatTakesNoConnection) {
    const int stalled = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address;
    InstanceSocketAddress(folder_, address);
    ASSERT_EQ(bind(stalled, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(stalled, 0), 0);
    int queued[4];
    for (int& fd : queued) fd = Connect();  // the queue is full: connect() would wait for good
    const auto start = Clock::now();
    EXPECT_FALSE(AskRunningCopy(folder_, kShowRequest, 300));
    EXPECT_LT(MsSince(start), 1000);
    for (int fd : queued) close(fd);
    close(stalled);
}

// `nimba-mouse --quit` or nimba-mousectl run just after the program: it holds the lock, but
// listens only once its window is up.
TEST_F(SingleInstanceTest, ACopyThatIsStillStartingIsWaitedFor) {
    SingleInstance starting(folder_);
    ASSERT_TRUE(starting.Acquire());
    std::thread window_up([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address;
        InstanceSocketAddress(folder_, address);
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener, 1);
        const int client = accept(listener, nullptr, nullptr);
        char request[16];
        (void)!read(client, request, sizeof request);
        (void)!write(client, "ok\n", 3);
        close(client);
        close(listener);
    });
    EXPECT_EQ(AskRunningCopy(folder_, kQuitRequest), "ok");
    window_up.join();
}

TEST_F(SingleInstanceTest, OnlyAFolderOfThisUserAloneIsUsed) {
    EXPECT_EQ(platform::PreparePrivateFolder(folder_ + "made/"), "");
    EXPECT_EQ(fs::status(folder_ + "made").permissions(), fs::perms::owner_all);
    fs::create_directory(folder_ + "open");
    fs::permissions(folder_ + "open", fs::perms::owner_all | fs::perms::others_exec);
    EXPECT_NE(platform::PreparePrivateFolder(folder_ + "open"), "");
    fs::create_directory_symlink(folder_ + "made", folder_ + "link");
    EXPECT_NE(platform::PreparePrivateFolder(folder_ + "link/").find("link"), std::string::npos);
    // Taken first by another user, it would have received this user's requests.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((folder_ + "made").c_str(), 65534, 65534), 0);
        EXPECT_NE(platform::PreparePrivateFolder(folder_ + "made").find("belongs to user 65534"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace nimba
