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

// Each refusal's own reason, which its message names. Which counts are refused and that the
// stores stay as they were, in memory and on disk, is file_import_fuzzer's check.
TEST_F(MacroFileTest, ARefusalSaysWhyTheRecordCannotBeUsed) {
    MacroRecord record{};
    record.action_count = 47;
    const std::string file = folder_.path() + "bad.macro";
    WriteBytes(file, &record, 239);
    EXPECT_EQ(ImportMacro(file, store_).status, ImportStatus::kTruncated);
    WriteBytes(file, &record, sizeof(record));
    EXPECT_EQ(ImportMacro(file, store_).status, ImportStatus::kInvalid);
    EXPECT_EQ(ImportMacro(folder_.path() + "none.macro", store_).status, ImportStatus::kUnreadable);
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
