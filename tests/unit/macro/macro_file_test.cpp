#include "macro/macro_file.h"

#include <gtest/gtest.h>

#include "model/utf16.h"
#include "persistence/data_directory.h"
#include "test_folder.h"

namespace nimba {
namespace {

using testing::WriteBytes;

class MacroFileTest : public ::testing::Test {
protected:
    void SetUp() override { store_.Load(); }

    testing::TestFolder folder_;
    std::string data_dir_ = DataDirectoryIn(folder_.path());
    MacroStore store_{data_dir_, testing::StoreText};
};

TEST_F(MacroFileTest, RefusesWhatARecordCannotHoldAndLeavesTheStoreAlone) {
    MacroRecord record{};
    CopyName(record.name, u"Bad");
    const std::string file = folder_.path() + "bad.macro";

    WriteBytes(file, &record, 239);
    EXPECT_EQ(ImportMacro(file, store_).status, ImportStatus::kTruncated);
    for (int32_t count : {-1, 47, 1 << 30}) {
        record.action_count = count;
        WriteBytes(file, &record, sizeof(record));
        EXPECT_EQ(ImportMacro(file, store_).status, ImportStatus::kInvalid) << count;
    }
    EXPECT_EQ(ImportMacro(folder_.path() + "none.macro", store_).status, ImportStatus::kUnreadable);
    EXPECT_EQ(store_.Size(), 0u);
    EXPECT_FALSE(std::filesystem::exists(data_dir_ + kStoreFolder + "macro.data"));
}

TEST_F(MacroFileTest, AnUnterminatedNameIsCutToItsFieldAndAnEmptyOneNamedAsANewMacro) {
    MacroRecord record{};
    std::fill(std::begin(record.name), std::end(record.name), u'W');
    record.action_count = 46;
    const std::string file = folder_.path() + "wide.macro";
    WriteBytes(file, &record, sizeof(record));

    MacroRecord imported{};
    ASSERT_TRUE(store_.CopyRecord(ImportMacro(file, store_).index, imported));
    EXPECT_EQ(NameView(imported.name), std::u16string(23, u'W'));
    ASSERT_TRUE(store_.CopyRecord(ImportMacro(file, store_).index, imported));
    EXPECT_EQ(NameView(imported.name), std::u16string(21, u'W') + u"_1");

    record.name[0] = u'\0';
    WriteBytes(file, &record, sizeof(record));
    ASSERT_TRUE(store_.CopyRecord(ImportMacro(file, store_).index, imported));
    EXPECT_EQ(NameView(imported.name), u"Macro3");
}

}  // namespace
}  // namespace nimba
