#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "macro/macro_record.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "persistence/unique_name.h"

namespace nimba {
namespace {

TEST(NameCase, ComparesLettersBeyondAsciiIgnoringCase) {
    EXPECT_TRUE(EqualsIgnoringCase(u"profile1", u"Profile1"));
    EXPECT_TRUE(EqualsIgnoringCase(u"Äpfel", u"äPFEL"));
    EXPECT_TRUE(EqualsIgnoringCase(u"Мышь", u"мышь"));
    EXPECT_TRUE(EqualsIgnoringCase(u"ΣΟΦΊΑ", u"σοφία"));
    EXPECT_TRUE(EqualsIgnoringCase(u"Łódź", u"ŁÓDŹ"));
    EXPECT_TRUE(EqualsIgnoringCase(u"Ÿ", u"ÿ"));
    EXPECT_FALSE(EqualsIgnoringCase(u"Profile1", u"Profile2"));
    EXPECT_FALSE(EqualsIgnoringCase(u"Profile", u"Profile1"));
    EXPECT_FALSE(EqualsIgnoringCase(u"×", u"÷"));  // signs, not letters
    EXPECT_FALSE(EqualsIgnoringCase(u"[", u"{"));
}

TEST(NameCase, UpperCasesWhatAKeyPrints) {
    EXPECT_EQ(ToUpperCase(u"a;ä"), u"A;Ä");
    EXPECT_EQ(ToUpperCase(u"ж"), u"Ж");
    EXPECT_EQ(ToUpperCase(u"ą"), u"Ą");
    EXPECT_EQ(ToUpperCase(u"ÿ÷"), u"Ÿ÷");
}

struct Named {
    char16_t name[24];
};

std::vector<std::unique_ptr<Named>> ListOf(std::initializer_list<std::u16string_view> names) {
    std::vector<std::unique_ptr<Named>> list;
    for (auto name : names) {
        list.push_back(std::make_unique<Named>());
        CopyName(list.back()->name, name);
    }
    return list;
}

TEST(UniqueName, TakesTheFirstFreeSuffixOfTheGivenName) {
    EXPECT_EQ(MakeUniqueName(ListOf({u"A", u"A_1"}), u"A", 49), u"A_2");
    EXPECT_EQ(MakeUniqueName(ListOf({u"A", u"A_1", u"A_2"}), u"A", 49), u"A_3");
    // Taken in another letter case is taken.
    EXPECT_EQ(MakeUniqueName(ListOf({u"a", u"a_1"}), u"A", 49), u"A_2");
    // Never a suffix on a suffix.
    EXPECT_EQ(MakeUniqueName(ListOf({u"A_1"}), u"A_1", 49), u"A_1_1");
}

TEST(UniqueName, CutsTheNameSoTheSuffixFits) {
    const std::u16string long_name(30, u'x');
    const auto list = ListOf({u"xxxxxxxxxxxxxxxxxxxxxxx"});
    EXPECT_EQ(NameForNewRecord(list, long_name, kMacroNameChars, kMacroNameChars),
              std::u16string(21, u'x') + u"_1");
    EXPECT_EQ(NameForNewRecord(list, u"Free", kMacroNameChars, kMacroNameChars), u"Free");

    // A surrogate pair at the cut goes whole.
    const std::u16string emoji_at_cut = std::u16string(20, u'y') + u"\U0001F600z";
    EXPECT_EQ(MakeUniqueName(ListOf({}), emoji_at_cut, kMacroNameChars),
              std::u16string(20, u'y') + u"_1");
}

TEST(UniqueName, NeverReadsPastAnUnterminatedField) {
    auto list = ListOf({});
    list.push_back(std::make_unique<Named>());
    std::fill(std::begin(list[0]->name), std::end(list[0]->name), u'q');
    EXPECT_TRUE(IsNameTaken(list, std::u16string(24, u'Q')));
    EXPECT_FALSE(IsNameTaken(list, std::u16string(25, u'q')));
}

}  // namespace
}  // namespace nimba
