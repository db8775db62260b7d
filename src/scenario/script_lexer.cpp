#include "scenario/script_lexer.h"

namespace nimba::scenario {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The words of one line, or why they cannot be read.
std::variant<std::vector<std::string>, std::string> SplitLine(std::string_view line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size() || line[i] == '#') return words;
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && !IsBlank(line[i])) word += line[i++];
            words.push_back(std::move(word));
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size() && !closed) {
            const char c = line[i++];
            if (c == '"') {
                closed = true;
            } else if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                word += line[i++];
            } else {
                word += c;
            }
        }
        if (!closed) return std::string("a quoted word is not closed");
        if (i < line.size() && !IsBlank(line[i]))
            return std::string("a quoted word must be followed by a space");
        words.push_back(std::move(word));
    }
}

}  // namespace

std::variant<std::vector<ScriptLine>, ScriptError> SplitScript(std::string_view text) {
    std::vector<ScriptLine> lines;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        auto words = SplitLine(line);
        if (auto* reason = std::get_if<std::string>(&words)) return ScriptError{number, *reason};
        auto& found = std::get<std::vector<std::string>>(words);
        if (!found.empty()) lines.push_back(ScriptLine{number, std::move(found)});
    }
    return lines;
}

}  // namespace nimba::scenario
