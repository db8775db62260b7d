#include "persistence/profile_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "model/button_functions.h"
#include "model/profile_defaults.h"
#include "model/utf16.h"
#include "persistence/data_directory.h"
#include "test_folder.h"

namespace nimba {
namespace {

using testing::ReadBytes;
using testing::TestFolder;

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        profiles_.Load();
        macros_.Load();
    }

    std::string MacroPath() { return data_dir_ + kStoreFolder + "macro.data"; }

    TestFolder folder_;
    std::string data_dir_ = DataDirectoryIn(folder_.path());
    ProfileStore profiles_{data_dir_, testing::StoreText};
    MacroStore macros_{data_dir_, testing::StoreText};
};

TEST_F(ProfileFileTest, AProfileWithoutMacrosLeavesTheMacroStoreAlone) {
    // Named like the stored first profile but for letter case; longer than one record.
    const std::string file = folder_.path() + "plain.pro";
    ASSERT_TRUE(ExportProfile(file, *NewProfile(u"PROFILE1")));
    std::filesystem::resize_file(file, sizeof(ProfileRecord) + 100);
    const ImportResult result = ImportProfile(file, profiles_, macros_);
    ASSERT_EQ(result.status, ImportStatus::kImported);
    profiles_.Edit([&](ProfileList& list, ProfileStoreHeader&) {
        ASSERT_EQ(list.size(), 2u);
        EXPECT_EQ(NameView(list[result.index]->name), u"PROFILE1_1");
    });
    EXPECT_FALSE(std::filesystem::exists(MacroPath()));
    EXPECT_EQ(macros_.Size(), 0u);
}

TEST_F(ProfileFileTest, ForeignNamesAreCutToFitTheirFieldsAndNoMacroIsNameless) {
    // Names without a terminator; macros on buttons 2 and 5, the second nameless.
    auto record = NewProfile(u"");
    std::fill(std::begin(record->name), std::end(record->name), u'N');
    std::fill(std::begin(record->buttons[2].macro_name), std::end(record->buttons[2].macro_name),
              u'M');
    record->buttons[2].function = record->buttons[5].function = kFunctionMacro;
    record->buttons[5].macro_action_count = 500;  // more than a macro can hold
    const std::string file = folder_.path() + "foreign.pro";
    ASSERT_TRUE(ExportProfile(file, *record));

    const ImportResult result = ImportProfile(file, profiles_, macros_);
    ASSERT_EQ(result.status, ImportStatus::kImported);
    profiles_.Edit([&](ProfileList& list, ProfileStoreHeader&) {
        const ProfileRecord& imported = *list[result.index];
        EXPECT_EQ(NameView(imported.name), std::u16string(99, u'N'));
        EXPECT_EQ(NameView(imported.buttons[2].macro_name), std::u16string(23, u'M'));
        EXPECT_EQ(NameView(imported.buttons[5].macro_name), u"Macro2");
    });
    MacroRecord carried{};
    ASSERT_TRUE(macros_.CopyRecord(1, carried));
    EXPECT_EQ(carried.action_count, kMaxMacroActions);
    EXPECT_EQ(NameView(carried.name), u"Macro2");
    profiles_.Edit([&](ProfileList& list, ProfileStoreHeader&) {
        EXPECT_EQ(list[result.index]->buttons[5].macro_action_count, kMaxMacroActions);
    });
}

TEST_F(ProfileFileTest, ExportWritesThroughASymbolicLink) {
    const std::string target = folder_.path() + "target.pro";
    const std::string link = folder_.path() + "link.pro";
    ASSERT_TRUE(ExportProfile(target, *NewProfile(u"Old")));
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(ExportProfile(link, *NewProfile(u"New")));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    ProfileRecord exported{};
    const auto bytes = ReadBytes(target);
    ASSERT_EQ(bytes.size(), sizeof exported);
    std::memcpy(&exported, bytes.data(), sizeof exported);
    EXPECT_EQ(NameView(exported.name), u"New");
}

}  // namespace
}  // namespace nimba
