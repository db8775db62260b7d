#include "model/dpi_code.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/leading_integer.h"

namespace nimba {
namespace {

TEST(DpiFromCode, StepsOf50ThenOf100) {
    EXPECT_EQ(DpiFromCode(1), 50);
    EXPECT_EQ(DpiFromCode(200), 10000);
    EXPECT_EQ(DpiFromCode(201), 10100);
    EXPECT_EQ(DpiFromCode(220), 12000);
    // Codes from foreign files do not overflow.
    EXPECT_EQ(DpiFromCode(std::numeric_limits<int32_t>::max()),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(DpiFromCode(std::numeric_limits<int32_t>::min()),
              std::numeric_limits<int32_t>::min());
}

TEST(CodeFromDpiText, SnapsDownAndClampsToTheOfferedRange) {
    EXPECT_EQ(CodeFromDpiText(u"1234"), 24);
    EXPECT_EQ(DpiFromCode(CodeFromDpiText(u"1234")), 1200);
    EXPECT_EQ(CodeFromDpiText(u"11999"), 219);
    EXPECT_EQ(DpiFromCode(CodeFromDpiText(u"11999")), 11900);
    EXPECT_EQ(CodeFromDpiText(u"10000"), 200);
    EXPECT_EQ(CodeFromDpiText(u"10001"), 200);
    EXPECT_EQ(CodeFromDpiText(u"10100"), 201);
    EXPECT_EQ(CodeFromDpiText(u"50"), 1);
    EXPECT_EQ(CodeFromDpiText(u"0"), 1);
    EXPECT_EQ(CodeFromDpiText(u""), 1);
    EXPECT_EQ(CodeFromDpiText(u"-5000"), 1);
    EXPECT_EQ(CodeFromDpiText(u"12000"), 220);
    EXPECT_EQ(CodeFromDpiText(u"99999"), 220);
    EXPECT_EQ(CodeFromDpiText(u"99999999999999999999"), 220);
}

TEST(ParseLeadingInteger, ReadsLikeTheClassicConversion) {
    EXPECT_EQ(ParseLeadingInteger(u"  800dpi"), 800);
    EXPECT_EQ(ParseLeadingInteger(u"\t+42"), 42);
    EXPECT_EQ(ParseLeadingInteger(u"-17x"), -17);
    EXPECT_EQ(ParseLeadingInteger(u"abc"), 0);
    EXPECT_EQ(ParseLeadingInteger(u"- 5"), 0);
    EXPECT_EQ(ParseLeadingInteger(u"1 2"), 1);
    // Saturates instead of wrapping.
    EXPECT_EQ(ParseLeadingInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseLeadingInteger(u"2147483648"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseLeadingInteger(u"-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseLeadingInteger(u"-99999999999999999999"), std::numeric_limits<int32_t>::min());
}

}  // namespace
}  // namespace nimba
