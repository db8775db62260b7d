#include "skin/resource_manager.h"

#include <gtest/gtest.h>

#include <string>

#include "test_folder.h"

namespace {

class ResourceManagerTest : public ::testing::Test {
protected:
    // Writes `content` to a new file and returns its path.
    std::string WriteFile(const std::string& content) {
        const std::string path = folder_.path() + std::to_string(count_++) + ".xml";
        nimba::testing::WriteBytes(path, content.data(), content.size());
        return path;
    }

    nimba::testing::TestFolder folder_;
    CResourceManager rm_;
    int count_ = 0;
};

const char kEnglish[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Language>\n"
    "  <Text id=\"left_click_text\">Left click</Text>\n"
    "  <Text id=\"key_Page Up\">Page Up</Text>\n"
    "  <Text id=\"empty_text\"></Text>\n"
    "  <Text>no id</Text>\n"
    "</Language>\n";

TEST_F(ResourceManagerTest, LooksUpTextsAndALoadReplacesThemAFailedOneKeepsThemEnglishFillsGaps) {
    ASSERT_TRUE(rm_.LoadLanguage(WriteFile(kEnglish)));
    EXPECT_EQ(rm_.GetText(u"left_click_text"), u"Left click");
    EXPECT_EQ(rm_.GetText(u"key_Page Up"), u"Page Up");

    // An entry with empty text is a real text, not a missing one.
    EXPECT_TRUE(rm_.HasText(u"empty_text"));
    EXPECT_EQ(rm_.GetText(u"empty_text"), u"");

    EXPECT_FALSE(rm_.HasText(u"right_click_text"));
    EXPECT_EQ(rm_.GetText(u"right_click_text"), u"right_click_text");
    EXPECT_EQ(rm_.GetText(u""), u"");

    EXPECT_FALSE(rm_.LoadLanguage(WriteFile("")));
    EXPECT_FALSE(rm_.LoadLanguage("/nonexistent/dir/lan.xml"));
    EXPECT_FALSE(rm_.LoadLanguage(WriteFile("<Language><Text id=\"a_text\">A</Language>")));
    EXPECT_FALSE(rm_.LoadLanguage(WriteFile("<Window><Text id=\"a_text\">A</Text></Window>")));

    EXPECT_EQ(rm_.GetText(u"left_click_text"), u"Left click");
    EXPECT_FALSE(rm_.HasText(u"a_text"));

    ASSERT_TRUE(rm_.LoadLanguage(
        WriteFile("<Language><Text id=\"right_click_text\">Rechtsklick</Text></Language>")));
    EXPECT_EQ(rm_.GetText(u"right_click_text"), u"Rechtsklick");
    EXPECT_EQ(rm_.GetText(u"left_click_text"), u"left_click_text");

    // A text missing from a translation is the English one.
    ASSERT_TRUE(rm_.LoadLanguage(
        WriteFile(kEnglish), WriteFile("<Language><Text id=\"empty_text\">Ä</Text></Language>")));
    EXPECT_EQ(rm_.GetTextUtf8("empty_text"), "Ä");
    EXPECT_EQ(rm_.GetText(u"left_click_text"), u"Left click");
}

}  // namespace
