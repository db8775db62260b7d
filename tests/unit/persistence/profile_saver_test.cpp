#include "persistence/profile_saver.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <vector>

#include "persistence/data_directory.h"
#include "test_folder.h"

namespace nimba {
namespace {

// A full disk (a file size limit, also for root): told once per run, nothing lost, saved later.
TEST(ProfileSaverTest, AFailingRunIsToldOnceAndKeepsTheEdits) {
    testing::TestFolder folder;
    const std::string data = DataDirectoryIn(folder.path());
    ProfileStore store(data, testing::StoreText);
    store.Load();
    std::vector<ProfileStore::Write> told;
    ProfileSaver saver(store, [&](ProfileStore::Write outcome) { told.push_back(outcome); });
    const auto before = testing::ReadBytes(ProfileStorePath(data));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{4096, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &full);
    for (int rate : {1, 2, 3}) {
        store.EditCurrentProfile([&](ProfileRecord& p) { p.report_rate = rate; });
        saver.Request();
        saver.Flush();
    }
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(told, std::vector{ProfileStore::Write::kFailed});
    ProfileRecord kept{};
    store.CopyCurrentProfile(kept);
    EXPECT_EQ(kept.report_rate, 3);
    EXPECT_EQ(testing::ReadBytes(ProfileStorePath(data)), before);

    saver.Request();
    saver.Flush();
    ProfileStore read(data, testing::StoreText);
    read.Load();
    read.CopyCurrentProfile(kept);
    EXPECT_EQ(kept.report_rate, 3);
}

}  // namespace
}  // namespace nimba
