#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "macro/macro_record.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "persistence/unique_name.h"

namespace nimba {
namespace {

TEST(NameCase, ComparesAndUpperCasesLettersBeyondAscii) {
    for (auto [a, b] : {std::pair{u"profile1", u"Profile1"}, {u"Äpfel", u"äPFEL"}, {u"Мышь", u"мышь"},
                        {u"ΣΟΦΊΑ", u"σοφία"}, {u"Łódź", u"ŁÓDŹ"}, {u"Ÿ", u"ÿ"}}) {
        EXPECT_TRUE(EqualsIgnoringCase(a, b));
    }
    // Signs are not letters.
    for (auto [a, b] : {std::pair{u"Profile1", u"Profile2"}, {u"Profile", u"Profile1"}, {u"×", u"÷"},
                        {u"[", u"{"}}) {
        EXPECT_FALSE(EqualsIgnoringCase(a, b));
    }
    EXPECT_EQ(ToUpperCase(u"a;äжąÿ÷"), u"A;ÄЖĄŸ÷");
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
    // Taken in another letter case is taken. A suffix on a suffix (Macro1_1_1) is the
    // store commands' test.
    EXPECT_EQ(MakeUniqueName(ListOf({u"a", u"A_1", u"a_3"}), u"A", 49), u"A_2");
    // Cut so that the suffix fits; a surrogate pair at the cut goes whole.
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
