#include <gtest/gtest.h>

#include <cstdlib>

#include "keys/key_table.h"

namespace nimba {
namespace {

// The layout is read once per process, before the first key is looked up.
const bool kGermanLayout = setenv("XKB_DEFAULT_LAYOUT", "de", 1) == 0;
// Keys that follow the layout are named by no language text.
const TextLookup kNoTexts;

TEST(GermanLayoutTest, KeysAreNamedAsTheKeyboardPrintsThem) {
    ASSERT_TRUE(kGermanLayout);
    // Z sits where a US keyboard has Y: the code follows the position, the name the print.
    const uint8_t z = KeyCodeOfVirtualKey('Z').code;
    EXPECT_EQ(z, 28);
    EXPECT_EQ(KeyName(z, kNoTexts), u"Z");
    EXPECT_EQ(KeyName(29, kNoTexts), u"Y");
    EXPECT_EQ(KeyName(4, kNoTexts), u"A");
    EXPECT_EQ(KeyName(51, kNoTexts), u"Ö");
}

}  // namespace
}  // namespace nimba
