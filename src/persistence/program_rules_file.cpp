#include "persistence/program_rules_file.h"

#include <optional>

#include "persistence/atomic_file.h"
#include "persistence/data_directory.h"
#include "persistence/file_stream.h"

namespace nimba {
namespace {

constexpr std::string_view kFileName = "programs.conf";
constexpr std::string_view kHeader =
    "# Profiles that follow the program in front: PROGRAM = PROFILE, one a line.\n"
    "# \"* = PROFILE\" is the profile for every other program; without it the current one "
    "stays.\n";
constexpr std::string_view kUnreadMark = "# unreadable: ";

// Why the line is no rule, or empty when `rules` took it.
std::string ReadLine(std::string_view line, ProgramRules& rules) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return "no '=' between program and profile";
    const std::string_view program = TrimBlanks(line.substr(0, equals));
    const std::string profile(TrimBlanks(line.substr(equals + 1)));
    if (profile.empty()) return "no profile after '='";
    if (program == kAnyOtherProgram) {
        if (!rules.no_rule_profile().empty()) return "a second line for '*'";
        rules.SetNoRuleProfile(profile);
        return {};
    }
    if (!IsProgramName(program)) return "no program before '='";
    if (rules.Find({std::string(program)}) != nullptr)
        return "a second rule for '" + std::string(program) + "'";
    rules.Set(program, profile);
    return {};
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::string ProgramRulesPath(const std::string& data_directory) {
    return data_directory + kStoreFolder + std::string(kFileName);
}

ProgramRulesRead ParseProgramRules(std::string_view text) {
    ProgramRulesRead read;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with(kUnreadMark)) {
            read.rules.unread_lines.emplace_back(line.substr(kUnreadMark.size()));
            continue;
        }
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        if (std::string reason = ReadLine(trimmed, read.rules); !reason.empty()) {
            read.skipped.push_back({number, std::move(reason)});
            read.rules.unread_lines.emplace_back(line);
        }
    }
    return read;
}

std::string FormatProgramRules(const ProgramRules& rules) {
    std::string text(kHeader);
    for (const ProgramRule& rule : rules.rules())
        text += rule.program + " = " + rule.profile + "\n";
    if (!rules.no_rule_profile().empty())
        text += std::string(kAnyOtherProgram) + " = " + rules.no_rule_profile() + "\n";
    for (const std::string& line : rules.unread_lines)
        text += std::string(kUnreadMark) + line + "\n";
    return text;
}

ProgramRulesRead LoadProgramRules(const std::string& data_directory) {
    // A rules file is lines of two names; anything longer is not one. Read without blocking, so a
    // pipe in its place cannot hang the window.
    constexpr size_t kMaxSize = 1024 * 1024;
    const std::optional<std::string> text =
        ReadSmallFile(ProgramRulesPath(data_directory), kMaxSize);
    return text ? ParseProgramRules(*text) : ProgramRulesRead{};
}

bool SaveProgramRules(const std::string& data_directory, const ProgramRules& rules) {
    EnsureFolder(data_directory + kStoreFolder);
    const std::string text = FormatProgramRules(rules);
    return WriteFileAtomically(ProgramRulesPath(data_directory), [&](OutputStream& out) {
        return out.Write(text.data(), text.size());
    });
}

ProfileFollowed RulesFollowProfile(const std::string& data_directory, const std::string& name,
                                   const std::optional<std::string>& new_name) {
    ProfileFollowed followed{LoadProgramRules(data_directory)};
    ProgramRules& rules = followed.read.rules;
    followed.named = rules.Names(name);
    if (!followed.named) return followed;
    if (new_name) {
        rules.RenameProfile(name, *new_name);
    } else {
        rules.RemoveProfile(name);
    }
    followed.saved = SaveProgramRules(data_directory, rules);
    return followed;
}

std::string SkippedLineText(const SkippedLine& line) {
    return std::string(kFileName) + " line " + std::to_string(line.number) + ": " + line.reason;
}

}  // namespace nimba
