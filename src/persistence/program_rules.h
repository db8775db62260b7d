#pragma once

// Which profile follows which program in front: one rule per program, and what happens for a
// program without one (the current profile stays, or a chosen profile comes back). Programs
// and profiles are named as the user reads them, letter case aside.

#include <string>
#include <string_view>
#include <vector>

namespace nimba {

// The names the program of a front window goes by, the most telling first: its window class's
// instance and class names, then its process's name and its executable's.
using ProgramNames = std::vector<std::string>;

struct ProgramRule {
    std::string program;
    std::string profile;
    bool operator==(const ProgramRule&) const = default;
};

// Stands for "every program without a rule" where a program name is expected (the rules file,
// nimba-mousectl).
inline constexpr std::string_view kAnyOtherProgram = "*";

// A name that fits on a line of the rules file: not empty, no '=', no line break, no space at
// either end, not a comment and not the stand-in for the other programs.
bool IsProgramName(std::string_view program);
bool SameName(std::string_view a, std::string_view b);

class ProgramRules {
public:
    const std::vector<ProgramRule>& rules() const { return rules_; }
    // The profile for a program without a rule; empty: the current profile stays.
    const std::string& no_rule_profile() const { return no_rule_profile_; }
    void SetNoRuleProfile(std::string profile) { no_rule_profile_ = std::move(profile); }

    // The rule of the first of `names` that has one, or null.
    const ProgramRule* Find(const ProgramNames& names) const;
    // The profile to switch to while `names` is in front; empty: keep the current one.
    std::string ProfileFor(const ProgramNames& names) const;
    // Gives `program` the profile, replacing its rule if it has one.
    void Set(std::string_view program, std::string profile);
    // False when the program had no rule.
    bool Remove(std::string_view program);
    // Rules follow a profile's new name.
    void RenameProfile(std::string_view old_name, std::string_view new_name);
    // Drops every rule naming the profile, and the no-rule choice when it names it.
    void RemoveProfile(std::string_view profile);
    // Does to these rules what was edited from `before` to `after`: rules given, changed or
    // removed, and the no-rule choice. An edit of an older copy so keeps what another process
    // changed meanwhile.
    void TakeEdits(const ProgramRules& before, const ProgramRules& after);
    // Whether a rule or the no-rule choice names the profile.
    bool Names(std::string_view profile) const;

    // Lines of the file this program could not read, written back as comments so that a
    // mistyped rule is not lost with the next save.
    std::vector<std::string> unread_lines;

    bool operator==(const ProgramRules&) const = default;

private:
    std::vector<ProgramRule> rules_;
    std::string no_rule_profile_;
};

}  // namespace nimba
