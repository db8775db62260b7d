#include "model/utf16.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

TEST(CopyName, AlwaysTerminatesClearsTheTailAndKeepsSurrogatePairsWhole) {
    char16_t buffer[5];
    CopyName(buffer, u"abcdefgh");
    EXPECT_EQ(NameView(buffer), u"abcd");
    EXPECT_EQ(buffer[4], u'\0');

    CopyName(buffer, u"x");
    EXPECT_EQ(NameView(buffer), u"x");
    for (int i = 1; i < 5; ++i) EXPECT_EQ(buffer[i], u'\0');

    CopyName(buffer, u"abc\U0001F42D");  // the pair would need units 3 and 4
    EXPECT_EQ(NameView(buffer), u"abc");
}

}  // namespace
}  // namespace nimba
