#pragma once

// The commands of a scenario script, checked as far as they can be before the program runs:
// known command, number of words, numbers, key names, input events, properties.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "scenario/script_lexer.h"

namespace nimba::scenario {

enum class Verb {
    kStart,
    kClick,
    kRightClick,
    kDoubleClick,
    kSelect,
    kSlide,
    kType,
    kClear,
    kKey,
    kMenu,
    kTray,
    kFile,
    kInput,
    kWait,
    kFront,
    kSim,
    kMousectl,
    kMove,
    kScreenshot,
    kDump,
    kExpect,
    kExpectWindow,
    kExpectSim,
    kExpectGeometry,
    kQuit,
};

struct Command {
    int line = 0;
    Verb verb = Verb::kStart;
    std::vector<std::string> args;  // the words after the command word
};

// `start` may only come first; nothing may follow `quit`.
std::variant<std::vector<Command>, ScriptError> ParseScript(std::string_view text);

// Whether carrying out the command can run a modal loop (a click opening a dialog, a timer
// doing so during a wait), so that the lines after it must be able to run before it returns.
bool MayBlock(Verb verb);

// A whole word as a decimal integer.
std::optional<int> ParseNumber(std::string_view word);

}  // namespace nimba::scenario
