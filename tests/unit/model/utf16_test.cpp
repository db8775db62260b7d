#include "model/utf16.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

TEST(CopyName, AlwaysTerminatesAndClearsTheTail) {
    char16_t buffer[5];
    CopyName(buffer, u"abcdefgh");
    EXPECT_EQ(NameView(buffer), u"abcd");
    EXPECT_EQ(buffer[4], u'\0');

    CopyName(buffer, u"x");
    EXPECT_EQ(NameView(buffer), u"x");
    for (int i = 1; i < 5; ++i) EXPECT_EQ(buffer[i], u'\0');
}

TEST(CopyName, DoesNotSplitASurrogatePair) {
    char16_t buffer[4];
    CopyName(buffer, u"ab\U0001F42D");  // the pair would need units 2 and 3
    EXPECT_EQ(NameView(buffer), u"ab");
}

}  // namespace
}  // namespace nimba
