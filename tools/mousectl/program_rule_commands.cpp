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

ProgramRules ReadRules(const std::string& data_directory, std::ostream& err) {
    ProgramRulesRead read = LoadProgramRules(data_directory);
    for (const SkippedLine& line : read.skipped)
        err << "nimba-mousectl: " << SkippedLineText(line) << "; the line is skipped\n";
    return std::move(read.rules);
}

bool Save(const std::string& data_directory, const ProgramRules& rules, std::ostream& err) {
    if (SaveProgramRules(data_directory, rules)) return true;
    err << "nimba-mousectl: " << ProgramRulesPath(data_directory) << " could not be written\n";
    return false;
}

}  // namespace

bool RulesFollowRename(const std::string& data_directory, const std::string& old_name,
                       const std::string& new_name, std::ostream& err) {
    ProgramRules rules = ReadRules(data_directory, err);
    if (!rules.Names(old_name)) return true;
    rules.RenameProfile(old_name, new_name);
    return Save(data_directory, rules, err);
}

bool RulesFollowDelete(const std::string& data_directory, const std::string& name,
                       std::ostream& err) {
    ProgramRules rules = ReadRules(data_directory, err);
    if (!rules.Names(name)) return true;
    rules.RemoveProfile(name);
    err << "nimba-mousectl: the rules of the programs that followed '" << name
        << "' are deleted with it\n";
    return Save(data_directory, rules, err);
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
    if (!Save(data_directory, rules, err)) return kExitFailure;
    return StoresSaved(session, err);
}

}  // namespace nimba::mousectl
