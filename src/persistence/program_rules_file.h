#pragma once

// The rules file programs.conf beside the stores: UTF-8 text, one "PROGRAM = PROFILE" a line,
// "* = PROFILE" for the programs without a line of their own, '#' starting a comment line.
// It is read tolerantly: a line that makes no sense is skipped and reported, never fatal.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persistence/program_rules.h"

namespace nimba {

struct SkippedLine {
    int number = 0;
    std::string reason;
};

struct ProgramRulesRead {
    ProgramRules rules;
    std::vector<SkippedLine> skipped;
};

std::string ProgramRulesPath(const std::string& data_directory);
ProgramRulesRead ParseProgramRules(std::string_view text);
std::string FormatProgramRules(const ProgramRules& rules);
// A missing file holds no rules.
ProgramRulesRead LoadProgramRules(const std::string& data_directory);
// Replaces the file whole or not at all; false when it could not be written.
[[nodiscard]] bool SaveProgramRules(const std::string& data_directory, const ProgramRules& rules);

struct ProfileFollowed {
    ProgramRulesRead read;  // the file as it is now, its rules following the profile
    bool named = false;     // they named the profile, so the file was saved
    bool saved = true;      // false when it could not be written
};
// Reads the file as it is now, so that what another process wrote meanwhile stays, lets its
// rules follow the profile `name` renamed to `new_name` (deleted when there is none), and saves
// it when they named the profile.
ProfileFollowed RulesFollowProfile(const std::string& data_directory, const std::string& name,
                                   const std::optional<std::string>& new_name);
// Without the spaces and tabs around it, as the file reads each name.
std::string_view TrimBlanks(std::string_view text);
// "programs.conf line 3: no '=' between program and profile", for whoever reports it.
std::string SkippedLineText(const SkippedLine& line);

}  // namespace nimba
