// `programs`, `program-rule`: the profiles that follow the program in front, as the
// "Programs" dialog edits them. A running program reads the rules again.

#include "model/utf16.h"
#include "mousectl/commands.h"
#include "mousectl/json_writer.h"
#include "mousectl/profile_change.h"
#include "mousectl/program_rules_sync.h"
#include "mousectl/store_session.h"
#include "mousectl/terminal_text.h"
#include "persistence/data_directory.h"
#include "persistence/program_rules_file.h"

namespace nimba::mousectl {
namespace {

void ReportSkipped(const ProgramRulesRead& read, std::ostream& err) {
    for (const SkippedLine& line : read.skipped)
        err << "nimba-mousectl: " << SkippedLineText(line) << "; the line is skipped\n";
}

ProgramRules ReadRules(const std::string& data_directory, std::ostream& err) {
    ProgramRulesRead read = LoadProgramRules(data_directory);
    ReportSkipped(read, err);
    return std::move(read.rules);
}

// `saved`, with a message when the file could not be written.
bool Saved(bool saved, const std::string& data_directory, std::ostream& err) {
    if (!saved)
        err << "nimba-mousectl: " << ProgramRulesPath(data_directory) << " could not be written\n";
    return saved;
}

bool FollowProfile(const std::string& data_directory, const std::string& name,
                   const std::optional<std::string>& new_name, std::ostream& err) {
    const ProfileFollowed followed = RulesFollowProfile(data_directory, name, new_name);
    ReportSkipped(followed.read, err);
    if (followed.named && !new_name)
        err << "nimba-mousectl: the rules of the programs that followed '" << name
            << "' are deleted with it\n";
    return Saved(followed.saved, data_directory, err);
}

}  // namespace

bool RulesFollowRename(const std::string& data_directory, const std::string& old_name,
                       const std::string& new_name, std::ostream& err) {
    return FollowProfile(data_directory, old_name, new_name, err);
}

bool RulesFollowDelete(const std::string& data_directory, const std::string& name,
                       std::ostream& err) {
    return FollowProfile(data_directory, name, std::nullopt, err);
}

int RunPrograms(const Invocation& call, std::ostream& out, std::ostream& err) {
    // The rules file is replaced whole: a listing needs neither the stores nor their lock.
    const ProgramRules rules = ReadRules(GetDataDirectory(), err);
    std::vector<ProgramRule> lines = rules.rules();
    if (!rules.no_rule_profile().empty())
        lines.push_back({std::string(kAnyOtherProgram), rules.no_rule_profile()});
    JsonWriter json(out);
    if (call.json) json.BeginArray();
    for (const ProgramRule& line : lines) {
        if (call.json) {
            json.BeginObject().Key("program").String(line.program);
            json.Key("profile").String(line.profile).EndObject();
        } else {
            out << TerminalText(line.program) << '\t' << TerminalText(line.profile) << '\n';
        }
    }
    if (call.json) {
        json.EndArray();
        out << "\n";
    }
    return out.flush() ? kExitOk : kExitFailure;
}

int RunProgramRule(const Invocation& call, std::ostream&, std::ostream& err) {
    const std::string program(call.args[0]);
    const bool others = program == kAnyOtherProgram;
    if (call.remove != (call.args.size() == 1)) {
        err << "nimba-mousectl: program-rule: give a PROFILE or --remove\n";
        return kExitUsage;
    }
    if (!others && !IsProgramName(program)) {
        err << "nimba-mousectl: '" << program << "' cannot be a program's name\n";
        return kExitUsage;
    }
    StoreSession session;
    const std::string& data_directory = session.profiles.data_directory();
    ProgramRules rules = ReadRules(data_directory, err);
    if (call.remove) {
        if (others) {
            rules.SetNoRuleProfile({});
        } else if (!rules.Remove(program)) {
            err << "nimba-mousectl: '" << program << "' has no rule\n";
            return kExitUsage;
        }
    } else {
        const std::optional<std::string> profile = session.profiles.Edit(
            [&](const ProfileList& list, const ProfileStoreHeader&) -> std::optional<std::string> {
                const std::optional<int> index = FindProfile(list, call.args[1], err);
                if (!index) return std::nullopt;
                return Utf16ToUtf8(NameView(list[static_cast<size_t>(*index)]->name));
            });
        if (!profile) return kExitUsage;
        if (others) {
            rules.SetNoRuleProfile(*profile);
        } else {
            rules.Set(program, *profile);
        }
    }
    if (!Saved(SaveProgramRules(data_directory, rules), data_directory, err)) return kExitFailure;
    return StoresSaved(session, err);
}

}  // namespace nimba::mousectl
