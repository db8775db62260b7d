#include "model/dpi_code.h"

#include <gtest/gtest.h>

#include <limits>

namespace nimba {
namespace {

TEST(DpiFromCode, StepsOf50ThenOf100AndNeverOverflows) {
    EXPECT_EQ(DpiFromCode(1), 50);
    EXPECT_EQ(DpiFromCode(200), 10000);
    EXPECT_EQ(DpiFromCode(201), 10100);
    EXPECT_EQ(DpiFromCode(220), 12000);
    // Codes from foreign files.
    for (int32_t code : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()})
        EXPECT_EQ(DpiFromCode(code), code);
}

// Typed text is read like the classic leading-integer conversion, snapped down, then clamped.
TEST(CodeFromDpiText, SnapsDownAndClampsToTheOfferedRange) {
    const std::pair<std::u16string_view, int32_t> cases[] = {
        {u"1234", 24},  {u" 11999dpi", 219}, {u"+10000", 200}, {u"10001", 200},
        {u"10100", 201}, {u"50", 1},         {u"0", 1},        {u"", 1},
        {u"abc", 1},    {u"- 5000", 1},      {u"-5000", 1},    {u"12000", 220},
        {u"99999", 220}, {u"99999999999999999999", 220}, {u"-99999999999999999999", 1}};
    for (const auto& [text, code] : cases) {
        EXPECT_EQ(CodeFromDpiText(text), code) << std::string(text.begin(), text.end());
    }
}

}  // namespace
}  // namespace nimba
