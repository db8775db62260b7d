// A scenario script as anyone may write it. Whatever it holds, the parser answers with
// commands in line order (start only first, quit only last) or with a line and a reason; the
// words of a line, quoted again, read back the same.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz_check.h"
#include "scenario/scenario_command.h"

namespace {

using namespace nimba::scenario;

std::string Quoted(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        line += " \"";
        for (const char c : word) {
            if (c == '"' || c == '\\') line += '\\';
            line += c;
        }
        line += '"';
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int last_line = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;

    const auto split = SplitScript(text);
    if (const auto* lines = std::get_if<std::vector<ScriptLine>>(&split)) {
        int previous = 0;
        for (const ScriptLine& line : *lines) {
            FUZZ_CHECK(line.number > previous && line.number <= last_line);
            FUZZ_CHECK(!line.words.empty());
            previous = line.number;
            const auto again = SplitScript(Quoted(line.words));
            const auto* read = std::get_if<std::vector<ScriptLine>>(&again);
            FUZZ_CHECK(read && read->size() == 1 && read->front().words == line.words);
        }
    } else {
        const auto& error = std::get<ScriptError>(split);
        FUZZ_CHECK(error.line >= 1 && error.line <= last_line && !error.reason.empty());
    }

    const auto parsed = ParseScript(text);
    if (const auto* commands = std::get_if<std::vector<Command>>(&parsed)) {
        const auto* lines = std::get_if<std::vector<ScriptLine>>(&split);
        FUZZ_CHECK(lines && lines->size() == commands->size());
        for (size_t i = 0; i < commands->size(); ++i) {
            const Command& command = (*commands)[i];
            FUZZ_CHECK(command.line == (*lines)[i].number);
            FUZZ_CHECK(command.args.size() + 1 == (*lines)[i].words.size());
            FUZZ_CHECK(command.verb != Verb::kStart || i == 0);
            FUZZ_CHECK(command.verb != Verb::kQuit || i + 1 == commands->size());
        }
    } else {
        const auto& error = std::get<ScriptError>(parsed);
        FUZZ_CHECK(error.line >= 0 && error.line <= last_line && !error.reason.empty());
    }
    return 0;
}
