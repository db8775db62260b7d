#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

using platform::FromUtf8;
using platform::ToUtf8;

TEST(TextEncoding, RoundTripsEveryPlane) {
    const std::wstring text = L"DPI \u00e9\u4e2d\U0001F5B1";
    EXPECT_EQ(ToUtf8(text), "DPI \xC3\xA9\xE4\xB8\xAD\xF0\x9F\x96\xB1");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(TextEncoding, MalformedInputBecomesReplacementAndDecodingGoesOn) {
    EXPECT_EQ(FromUtf8("a\x80z"), L"a\uFFFDz");          // stray continuation byte
    EXPECT_EQ(FromUtf8("a\xE4\xB8z"), L"a\uFFFDz");      // truncated sequence
    EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD");          // overlong "/"
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD");      // UTF-16 surrogate
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), L"\uFFFD");  // beyond U+10FFFF
    EXPECT_EQ(FromUtf8("\xE4"), L"\uFFFD");              // cut off at the end
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextEncoding, Utf16KeepsSurrogatePairsAndReplacesLoneOnes) {
    const std::string text = "Prof\xC3\xBC\xE2\x82\xAC \xF0\x9F\x90\xAD";
    const std::u16string wide = platform::Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"Prof\u00FC\u20AC \U0001F42D");
    EXPECT_EQ(platform::Utf16ToUtf8(wide), text);
    EXPECT_EQ(platform::Utf8ToUtf16("a\xE4\xB8z"), u"a\uFFFDz");
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(platform::Utf16ToUtf8(lone), "a\xEF\xBF\xBD" "b");
}

}  // namespace
