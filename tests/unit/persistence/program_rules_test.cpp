#include <gtest/gtest.h>

#include "persistence/program_rules_file.h"

namespace nimba {
namespace {

TEST(ProgramRules, FirstNamedProgramWinsElseTheNoRuleChoiceAndRulesFollowProfiles) {
    ProgramRules rules;
    rules.Set("Steam", "Shooter");
    rules.Set("code", "Office");
    rules.Set("STEAM", "Racing");  // one rule per program, letter case aside
    ASSERT_EQ(rules.rules().size(), 2u);
    EXPECT_EQ(rules.ProfileFor({"steam_app_1", "steam", "code"}), "Racing");
    EXPECT_EQ(rules.ProfileFor({"xterm"}), "");
    rules.SetNoRuleProfile("Default");
    EXPECT_EQ(rules.ProfileFor({"xterm"}), "Default");

    // Rules follow renamed profiles and go with deleted ones.
    rules.Set("editor", "Office");
    rules.SetNoRuleProfile("racing");
    rules.RenameProfile("RACING", "FPS");
    EXPECT_EQ(rules.ProfileFor({"steam"}), "FPS");
    EXPECT_EQ(rules.no_rule_profile(), "FPS");
    EXPECT_TRUE(rules.Names("fps"));
    rules.RemoveProfile("FPS");
    EXPECT_FALSE(rules.Names("FPS"));
    EXPECT_EQ(rules.ProfileFor({"steam"}), "");
    EXPECT_EQ(rules.rules(), (std::vector<ProgramRule>{{"code", "Office"}, {"editor", "Office"}}));
    EXPECT_TRUE(rules.Remove("Editor"));
    EXPECT_FALSE(rules.Remove("editor"));
}

TEST(ProgramRulesFile, BadLinesAreSkippedReportedAndKeptThroughASave) {
    const ProgramRulesRead read = ParseProgramRules(
        "# comment\r\n"
        "game = Shooter = 2\n"
        "just words\n"
        "\n"
        "  editor\t=  My Office  \n"
        "Game = Other\n"
        "* = Default\n"
        " = Lonely\n"
        "x =");
    EXPECT_EQ(read.rules.rules(),
              (std::vector<ProgramRule>{{"game", "Shooter = 2"}, {"editor", "My Office"}}));
    EXPECT_EQ(read.rules.no_rule_profile(), "Default");
    ASSERT_EQ(read.skipped.size(), 4u);
    EXPECT_EQ(SkippedLineText(read.skipped[0]),
              "programs.conf line 3: no '=' between program and profile");
    EXPECT_EQ(read.skipped[1].number, 6);

    const ProgramRulesRead again = ParseProgramRules(FormatProgramRules(read.rules));
    EXPECT_EQ(again.rules, read.rules);
    EXPECT_TRUE(again.skipped.empty());
}

}  // namespace
}  // namespace nimba
