#include "macro/macro_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "model/utf16.h"
#include "persistence/data_directory.h"
#include "test_folder.h"

namespace nimba {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class MacroStoreTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureFolder(data_dir_ + kStoreFolder); }

    MacroRecord Named(std::u16string_view name) {
        MacroRecord record{};
        CopyName(record.name, name);
        record.loop_count = 7;
        record.action_count = 1;
        record.actions[0] = {4, 1, 10};
        return record;
    }

    testing::TestFolder folder_;
    std::string data_dir_ = DataDirectoryIn(folder_.path());
    MacroStore store_{data_dir_, testing::StoreText};
};

TEST_F(MacroStoreTest, NewMacrosAreNumberedAfterTheStoreAndAvoidTakenNames) {
    auto created_after = [&](std::initializer_list<std::u16string_view> stored) {
        store_.Edit([](MacroList& list) { list.clear(); });
        for (auto name : stored) store_.Add(Named(name));
        return std::u16string(NameView(store_.CreateNewMacro().record->name));
    };
    EXPECT_EQ(created_after({u"One", u"Two", u"Three"}), u"Macro4");
    EXPECT_EQ(created_after({u"One", u"Two", u"macro4"}), u"Macro4_1");

    // Creating saved the whole store.
    EXPECT_EQ(ReadBytes(store_.FilePath()).size(), 4 * sizeof(MacroRecord));
}

TEST_F(MacroStoreTest, RemovingClosesTheGapInTheFile) {
    for (auto name : {u"First", u"Second", u"Third"}) store_.Add(Named(name));
    ASSERT_TRUE(store_.Save());
    const auto before = ReadBytes(store_.FilePath());

    ASSERT_TRUE(store_.Remove(0));
    const auto after = ReadBytes(store_.FilePath());
    ASSERT_EQ(after.size(), 480u);
    EXPECT_TRUE(std::equal(after.begin(), after.end(), before.begin() + 240));

    store_.Load();
    MacroRecord reloaded{};
    ASSERT_TRUE(store_.CopyRecord(1, reloaded));
    EXPECT_EQ(reloaded.loop_count, 7);
}

TEST_F(MacroStoreTest, ClaimedCountsAreHeldToARecordAndEachDamagedFileIsKept) {
    store_.Load();
    EXPECT_EQ(store_.Size(), 0u);  // no file yet
    MacroRecord records[2] = {Named(u"Whole"), Named(u"Cut")};
    WriteBytes(store_.FilePath(), records, sizeof(MacroRecord) + 56);
    store_.Load();  // a cut file: the first damaged one
    // Action counts no record can hold are held to what it can.
    records[0].action_count = 1000;
    records[1].action_count = -5;
    WriteBytes(store_.FilePath(), records, sizeof(records));
    store_.Load();
    MacroRecord loaded{};
    ASSERT_TRUE(store_.CopyRecord(0, loaded));
    EXPECT_EQ(loaded.action_count, kMaxMacroActions);
    ASSERT_TRUE(store_.CopyRecord(1, loaded));
    EXPECT_EQ(loaded.action_count, 0);

    // The next save writes the mended list; each damaged file is kept as it was.
    ASSERT_TRUE(store_.Save());
    size_t kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data_dir_ + kStoreFolder)) {
        if (entry.path().filename().string().starts_with("macro.data.damaged-")) {
            kept += entry.file_size();
        }
    }
    EXPECT_EQ(kept, sizeof(MacroRecord) + 56 + sizeof(records));
}

}  // namespace
}  // namespace nimba
