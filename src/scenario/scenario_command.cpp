#include "scenario/scenario_command.h"

#include <charconv>

#include "scenario/control_properties.h"
#include "scenario/input_events.h"
#include "scenario/key_names.h"

namespace nimba::scenario {
namespace {

struct VerbSyntax {
    std::string_view word;
    Verb verb;
    size_t min_args;
    size_t max_args;
    std::string_view usage;
    bool may_block;
};

constexpr size_t kAny = SIZE_MAX;

constexpr VerbSyntax kVerbs[] = {
    {"start", Verb::kStart, 0, 0, "start", true},
    {"click", Verb::kClick, 1, 1, "click NAME", true},
    {"rclick", Verb::kRightClick, 1, 1, "rclick NAME", true},
    {"dblclick", Verb::kDoubleClick, 1, 1, "dblclick NAME", true},
    {"select", Verb::kSelect, 2, 2, "select NAME INDEX", true},
    {"slide", Verb::kSlide, 2, 2, "slide NAME VALUE", true},
    {"type", Verb::kType, 2, 2, "type NAME TEXT", true},
    {"clear", Verb::kClear, 1, 1, "clear NAME", true},
    {"key", Verb::kKey, 2, 2, "key NAME|- KEY", true},
    {"menu", Verb::kMenu, 1, 1, "menu ITEM", true},
    {"tray", Verb::kTray, 1, 1, "tray click|menu", true},
    {"file", Verb::kFile, 1, 1, "file PATH|cancel", false},
    {"input", Verb::kInput, 2, 2, "input down|up KEY, input click BUTTON", false},
    {"wait", Verb::kWait, 1, 1, "wait MS", true},
    {"front", Verb::kFront, 1, 1, "front PROGRAM|-", false},
    {"sim", Verb::kSim, 1, kAny, "sim ARGS...", false},
    {"mousectl", Verb::kMousectl, 1, kAny, "mousectl ARGS...", true},
    {"move", Verb::kMove, 2, 2, "move X Y", false},
    {"screenshot", Verb::kScreenshot, 1, 1, "screenshot FILE.png", false},
    {"dump", Verb::kDump, 1, 1, "dump FILE.json", false},
    {"expect", Verb::kExpect, 3, 3, "expect NAME PROPERTY VALUE", false},
    {"expect-window", Verb::kExpectWindow, 2, 2, "expect-window CLASS open|closed", false},
    {"expect-sim", Verb::kExpectSim, 2, 2, "expect-sim log|log-last|STATE-KEY VALUE", false},
    {"expect-geometry", Verb::kExpectGeometry, 5, 5, "expect-geometry CLASS X Y WIDTH HEIGHT",
     false},
    {"quit", Verb::kQuit, 0, 0, "quit", false},
};

// Why the command's words are wrong, or empty when they are right.
std::string CheckArgs(Verb verb, const std::vector<std::string>& args) {
    switch (verb) {
        case Verb::kSelect:
        case Verb::kWait: {
            const auto n = ParseNumber(args.back());
            if (!n || *n < 0) return "'" + args.back() + "' is not a number from 0";
            return {};
        }
        case Verb::kSlide:
            if (!ParseNumber(args[1])) return "'" + args[1] + "' is not a number";
            return {};
        case Verb::kMove:
        case Verb::kExpectGeometry:
            // Every word but the window class is a number of pixels.
            for (size_t i = verb == Verb::kMove ? 0 : 1; i < args.size(); ++i) {
                if (!ParseNumber(args[i])) return "'" + args[i] + "' is not a number";
            }
            return {};
        case Verb::kKey:
            if (!ParseKeyCombination(args[1])) return "unknown key '" + args[1] + "'";
            return {};
        case Verb::kTray:
            if (args[0] != "click" && args[0] != "menu") return "tray takes click or menu";
            return {};
        case Verb::kInput:
            if (!InputEvents(args[0], args[1]))
                return "unknown input event '" + args[0] + " " + args[1] + "'";
            return {};
        case Verb::kExpect:
            if (!IsControlProperty(args[1])) return "unknown property '" + args[1] + "'";
            return {};
        case Verb::kExpectWindow:
            if (args[1] != "open" && args[1] != "closed")
                return "expect-window takes open or closed";
            return {};
        default:
            return {};
    }
}

}  // namespace

bool MayBlock(Verb verb) {
    for (const VerbSyntax& syntax : kVerbs) {
        if (syntax.verb == verb) return syntax.may_block;
    }
    return false;
}

std::optional<int> ParseNumber(std::string_view word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

std::variant<std::vector<Command>, ScriptError> ParseScript(std::string_view text) {
    auto split = SplitScript(text);
    if (auto* error = std::get_if<ScriptError>(&split)) return *error;
    std::vector<Command> commands;
    for (ScriptLine& line : std::get<std::vector<ScriptLine>>(split)) {
        const std::string& word = line.words.front();
        const VerbSyntax* syntax = nullptr;
        for (const VerbSyntax& candidate : kVerbs) {
            if (candidate.word == word) syntax = &candidate;
        }
        if (syntax == nullptr) return ScriptError{line.number, "unknown command '" + word + "'"};
        std::vector<std::string> args(line.words.begin() + 1, line.words.end());
        if (args.size() < syntax->min_args || args.size() > syntax->max_args)
            return ScriptError{line.number, "expected: " + std::string(syntax->usage)};
        if (std::string reason = CheckArgs(syntax->verb, args); !reason.empty())
            return ScriptError{line.number, reason};
        if (syntax->verb == Verb::kStart && !commands.empty())
            return ScriptError{line.number, "start can only be the first command"};
        if (!commands.empty() && commands.back().verb == Verb::kQuit)
            return ScriptError{line.number, "nothing can follow quit"};
        commands.push_back(Command{line.number, syntax->verb, std::move(args)});
    }
    return commands;
}

}  // namespace nimba::scenario
