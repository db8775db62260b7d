#include "persistence/profile_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "model/profile_defaults.h"
#include "persistence/atomic_file.h"
#include "persistence/data_directory.h"
#include "persistence/file_stream.h"
#include "persistence/store_lock.h"
#include "test_folder.h"

namespace nimba {
namespace {

using testing::FailingOutputStream;
using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

constexpr size_t kHeader = sizeof(ProfileStoreHeader);
constexpr size_t kRecord = sizeof(ProfileRecord);

class ProfileStoreTest : public ::testing::Test {
protected:
    std::string DataDir() { return DataDirectoryIn(folder_.path()); }
    std::string StorePath() { return ProfileStorePath(DataDir()); }
    // Writes a store of `names` with the given index and a recognisable reserved area.
    void WriteStore(std::initializer_list<std::u16string_view> names, int32_t index) {
        ProfileList list;
        for (auto name : names) list.push_back(NewProfile(name));
        auto header = std::make_unique<ProfileStoreHeader>();
        header->current_profile_index = index;
        for (size_t i = 0; i < sizeof(header->reserved_slots); ++i) {
            header->reserved_slots[i] = static_cast<uint8_t>(i * 7 + 1);
        }
        ASSERT_TRUE(SaveProfileStore(DataDir(), list, *header));
    }

    TestFolder folder_;
};

// Loading the list and the current index record for record is profile_store_load_fuzzer's part.
TEST_F(ProfileStoreTest, ASaveWritesBackTheReservedAreaItLoadedAndNoOtherProcessesSave) {
    WriteStore({u"One", u"Two", u"Three"}, 2);
    const auto before = ReadBytes(StorePath());

    ProfileStore store(DataDir(), testing::StoreText);
    store.Load();
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadBytes(StorePath()), before);

    // Another process's save is not written over before it has been read here.
    WriteStore({u"Theirs"}, 0);
    const auto theirs = ReadBytes(StorePath());
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(ReadBytes(StorePath()), theirs);
}

// While another process keeps the stores locked, a load writes nothing, not even a first store.
TEST_F(ProfileStoreTest, ALoadWithoutTheLockWritesNothing) {
    EnsureFolder(DataDir() + kStoreFolder);
    const int held = ::open(StoreLockPath(DataDir()).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ProfileStore(DataDir(), testing::StoreText).Load();
    EXPECT_FALSE(std::filesystem::exists(StorePath()));
    ::close(held);
}

// Saves rebuild the whole path. A start clears what killed saves left (store.crash_check), not
// what running ones use.
TEST_F(ProfileStoreTest, SavesRecreateTheDataFolderAndStartsKeepRunningSavesTemporaries) {
    ProfileStore store(DataDir(), testing::StoreText);
    store.Load();
    std::filesystem::remove_all(DataDir());
    ASSERT_TRUE(store.Save());

    const std::string running = StorePath() + ".tmp." + std::to_string(::getpid()) + ".9";
    WriteBytes(running, "x", 1);
    ProfileStore(DataDir(), testing::StoreText).Load();
    EXPECT_TRUE(std::filesystem::exists(running));
}

// Every point at which a write can fail leaves the previous store whole and no stray file.
TEST_F(ProfileStoreTest, AFailedSaveLeavesThePreviousStore) {
    WriteStore({u"Kept", u"Also kept"}, 1);
    const auto before = ReadBytes(StorePath());

    ProfileList bigger;
    for (auto name : {u"New1", u"New2", u"New3"}) bigger.push_back(NewProfile(name));
    auto header = std::make_unique<ProfileStoreHeader>();
    const size_t full = kHeader + 3 * kRecord;
    for (size_t limit :
         {size_t{0}, size_t{1}, kHeader - 1, kHeader, kHeader + kRecord + 5, full - 1}) {
        const bool saved = WriteFileAtomically(StorePath(), [&](OutputStream& out) {
            FailingOutputStream failing(out, limit);
            return WriteProfileStore(failing, bigger, *header);
        });
        EXPECT_FALSE(saved) << limit;
        EXPECT_EQ(ReadBytes(StorePath()), before) << limit;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataDir() + kStoreFolder),
                            std::filesystem::directory_iterator()),
              1);
}

// Two savers and an editor at once: saves never interleave and never see a half-made change.
TEST_F(ProfileStoreTest, ConcurrentSavesAndEditsAlwaysLeaveAWholeStore) {
    ProfileStore store(DataDir(), testing::StoreText);
    store.Load();
    std::atomic<bool> saving{true};
    std::atomic<int> bad_files{0};

    auto saver = [&] {
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(store.Save());
            auto in = FileInputStream::Open(StorePath());
            ProfileList loaded;
            auto header = std::make_unique<ProfileStoreHeader>();
            if (in) ReadProfileStore(*in, loaded, *header);
            // The editor keeps the index on the last profile; every record is a whole default.
            if (loaded.empty() || header->current_profile_index + 1u != loaded.size() ||
                std::any_of(loaded.begin(), loaded.end(),
                            [](auto& p) { return p->spare_a != 420; }))
                ++bad_files;
        }
    };
    std::thread editor([&] {
        for (int n = 0; saving; ++n) {
            store.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
                if (n % 2 == 0) {
                    CreateDefaultProfile(list, testing::StoreText);
                } else if (list.size() > 1) {
                    list.pop_back();
                }
                header.current_profile_index = static_cast<int32_t>(list.size()) - 1;
            });
        }
    });
    std::thread first(saver), second(saver);
    first.join();
    second.join();
    saving = false;
    editor.join();
    EXPECT_EQ(bad_files, 0);
}

}  // namespace
}  // namespace nimba
