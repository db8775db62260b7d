#include "keys/key_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/macro_action.h"

namespace nimba {
namespace {

// Each text id shows as itself, so the ids are visible here.
std::u16string Id(std::u16string_view id) {
    return std::u16string(id);
}

TEST(KeyTableTest, KeyCodeFollowsThePhysicalPosition) {
    // Usages 50 and 100 have no row of their own: a key found by them would be a wrong key.
    const auto table = KeyTable();
    for (int usage : {50, 100}) {
        EXPECT_TRUE(std::none_of(table.begin(), table.end(),
                                 [&](const KeyUsageRow& row) { return row.usage == usage; }));
    }
    EXPECT_EQ(KeyCodeOfVirtualKey('A').code, 4);
    EXPECT_EQ(KeyCodeOfVirtualKey('0').code, 39);
    EXPECT_EQ(KeyCodeOfVirtualKey(191).code, 56);
    // OEM 8 has no key on a US keyboard: no scan code, so the first row without one wins.
    const KeyCodeLookup oem8 = KeyCodeOfVirtualKey(223);
    EXPECT_TRUE(oem8.found);
    EXPECT_EQ(oem8.code, 70);
    // Keys outside the position range keep their usage.
    EXPECT_EQ(KeyCodeOfVirtualKey(162).code, 224);
    EXPECT_EQ(KeyCodeOfVirtualKey(100).code, 92);
    for (int code : {240, 241, 244, 247, 248}) EXPECT_EQ(KeyCodeOfVirtualKey(code).code, code);
    // A media key is not in the table.
    const KeyCodeLookup media = KeyCodeOfVirtualKey(0xB3);
    EXPECT_FALSE(media.found);
    EXPECT_EQ(media.code, 0);
}

// Letters as the macro stories show them ("A", "B").
TEST(KeyTableTest, LayoutKeysAreNamedByTheirCharacterOthersThroughLanguageTexts) {
    for (auto [code, name] : {std::pair<uint8_t, std::u16string_view>{30, u"1"},
                              {45, u"-"},
                              {56, u"/"},
                              {40, u"key_Enter"},
                              {57, u"key_Caplk"}}) {
        EXPECT_EQ(KeyName(code, Id), name) << int(code);
    }
    // No row, or no key behind the row: empty.
    for (int code : {50, 232, 239, 240, 247, 248, 102, 104, 0, 255}) {
        EXPECT_EQ(KeyName(static_cast<uint8_t>(code), Id), u"") << code;
    }
    EXPECT_EQ(KeyName(100, Id), u"key_\\");
    EXPECT_EQ(KeyName(136, Id), u"Kana/Roma");
    EXPECT_EQ(VirtualKeyName(240, Id), u"key_Caplk");
    EXPECT_EQ(VirtualKeyName(186, Id), u";");
    EXPECT_EQ(VirtualKeyName(0xB3, Id), u"");
    EXPECT_EQ(KeyName(kLeftButtonCode, Id), u"L_Button");
    EXPECT_EQ(KeyName(kForwardButtonCode, Id), u"Forward_Button");
}

}  // namespace
}  // namespace nimba
