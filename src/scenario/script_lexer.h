#pragma once

// The words of a scenario script, line by line. Words are separated by spaces and tabs; a word
// in double quotes may hold spaces, with \" and \\ standing for a quote and a backslash; a `#`
// that begins a word starts a comment running to the end of the line.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace nimba::scenario {

struct ScriptLine {
    int number = 0;  // from 1
    std::vector<std::string> words;
};

// Why a script cannot run, and where.
struct ScriptError {
    int line = 0;
    std::string reason;
};

// Lines without words (blank or comment only) are left out.
std::variant<std::vector<ScriptLine>, ScriptError> SplitScript(std::string_view text);

}  // namespace nimba::scenario
