#include "model/utf16.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

TEST(Utf16, RoundTripsIncludingSurrogatePairs) {
    const std::string text = "Prof\xC3\xBC\xE2\x82\xAC \xF0\x9F\x90\xAD";  // ü € mouse emoji
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"Prof\u00FC\u20AC \U0001F42D");
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf16, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/'
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");  // truncated
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(Utf16ToUtf8(lone),
              "a\xEF\xBF\xBD"
              "b");
}

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
