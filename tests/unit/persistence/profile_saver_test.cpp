#include "persistence/profile_saver.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include "persistence/data_directory.h"
#include "persistence/store_lock.h"
#include "test_folder.h"

namespace nimba {
namespace {

using Write = ProfileStore::Write;

class ProfileSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::LoadEnglishTexts();
        store_.Load();
    }
    int32_t Rate(ProfileStore& store) {
        ProfileRecord copy{};
        store.CopyCurrentProfile(copy);
        return copy.report_rate;
    }
    void SetRate(ProfileStore& store, int32_t rate) {
        store.EditCurrentProfile([&](ProfileRecord& p) { p.report_rate = rate; });
    }

    testing::TestFolder folder_;
    std::string data_ = DataDirectoryIn(folder_.path());
    ProfileStore store_{data_};
    std::vector<Write> told_;
    ProfileSaver saver_{store_, [this](Write outcome) { told_.push_back(outcome); }};
};

// A full disk (a file size limit, which holds for root too): one word per failing run, the
// edits stay in memory and the old file on disk, and the next save once there is room writes them.
TEST_F(ProfileSaverTest, AFailingRunIsToldOnceAndKeepsTheEdits) {
    const auto before = testing::ReadBytes(ProfileStorePath(data_));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{4096, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &full);
    for (int rate : {1, 2, 3}) {
        SetRate(store_, rate);
        saver_.Request();
        saver_.Flush();
    }
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(told_, std::vector{Write::kFailed});
    EXPECT_EQ(Rate(store_), 3);
    EXPECT_EQ(testing::ReadBytes(ProfileStorePath(data_)), before);

    saver_.Request();
    saver_.Flush();
    ProfileStore read(data_);
    read.Load();
    EXPECT_EQ(Rate(read), 3);
}

// Another process's change is never written over: the save waits for the lock, finds the file
// changed, and a reload keeps both that change and the edit made here meanwhile.
TEST_F(ProfileSaverTest, AnotherWritersChangeIsMergedNotOverwritten) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t tool = ::fork();
    if (tool == 0) {
        // A lock file of its own, as another process opens it (the forked one is shared).
        const int lock = ::open(StoreLockPath(data_).c_str(), O_RDWR);
        if (lock < 0 || ::flock(lock, LOCK_EX) != 0) ::_exit(2);
        ProfileList list;
        ProfileStoreHeader header{};
        LoadProfileStore(data_, list, header);
        (void)::write(ready[1], "x", 1);
        ::usleep(300'000);  // holding the lock while the program's save waits
        list[0]->light_mode = 7;
        ::_exit(SaveProfileStore(data_, list, header) ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    SetRate(store_, 4);
    saver_.Request();
    int status = 0;
    ::waitpid(tool, &status, 0);
    ASSERT_EQ(status, 0);
    saver_.Flush();
    EXPECT_EQ(told_, std::vector{Write::kChangedOnDisk});

    ASSERT_EQ(store_.Reload(), ProfileStore::Read::kMerged);
    saver_.Request();
    saver_.Flush();
    ProfileStore read(data_);
    read.Load();
    ProfileRecord both{};
    read.CopyCurrentProfile(both);
    EXPECT_EQ(both.light_mode, 7);
    EXPECT_EQ(both.report_rate, 4);
}

}  // namespace
}  // namespace nimba
