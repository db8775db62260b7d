#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(TextEncoding, RoundTripsEveryPlaneInBothWideForms) {
    const std::string utf8 = "DPI \xC3\xA9\xE4\xB8\xAD\xF0\x9F\x96\xB1";
    EXPECT_EQ(ToUtf8(L"DPI \u00e9\u4e2d\U0001F5B1"), utf8);
    EXPECT_EQ(FromUtf8(utf8), L"DPI \u00e9\u4e2d\U0001F5B1");
    EXPECT_EQ(Utf8ToUtf16(utf8), u"DPI \u00e9\u4e2d\U0001F5B1");
    EXPECT_EQ(Utf16ToUtf8(u"DPI \u00e9\u4e2d\U0001F5B1"), utf8);
}

// Malformed input becomes U+FFFD and decoding goes on.
TEST(TextEncoding, MalformedInputBecomesReplacement) {
    for (const char* bad : {"\x80", "\xE4\xB8", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        // Stray continuation, truncated, overlong "/", surrogate, beyond U+10FFFF.
        EXPECT_EQ(FromUtf8(std::string("a") + bad + "z"), L"a\uFFFDz") << bad;
        EXPECT_EQ(Utf8ToUtf16(std::string("a") + bad + "z"), u"a\uFFFDz") << bad;
    }
    EXPECT_EQ(FromUtf8("\xE4"), L"\uFFFD");  // cut off at the end
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    const char16_t lone[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(Utf16ToUtf8(lone), "a\xEF\xBF\xBD" "b");
}

}  // namespace
