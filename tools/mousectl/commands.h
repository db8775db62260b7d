#pragma once

// The commands of nimba-mousectl. Each takes the words after its name and returns the
// process exit code; results go to `out`, messages to `err`.

#include <ostream>
#include <span>
#include <string_view>

namespace nimba::mousectl {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;  // the caller adds the command's usage to the message

using Args = std::span<const std::string_view>;

// The words after the command's name: its arguments, and the options it accepts.
struct Invocation {
    Args args;
    bool apply = false;   // --apply: bring the mouse in line after the change
    bool json = false;    // --json: print JSON instead of text
    bool raw = false;     // --raw: print notices as the driver delivers them
    bool remove = false;  // --remove: take the named thing away
};

using CommandFunction = int (*)(const Invocation& call, std::ostream& out, std::ostream& err);

struct Command {
    std::string_view name;
    std::string_view usage;    // shown after the program name
    std::string_view summary;  // one line for the overview
    std::string_view details;  // further help lines of `COMMAND --help`, may be empty
    std::string_view options;  // the options it accepts, space-separated
    size_t min_args;
    size_t max_args;
    CommandFunction run;
};

int RunReports(const Invocation& call, std::ostream& out, std::ostream& err);
int RunProfiles(const Invocation& call, std::ostream& out, std::ostream& err);
int RunShow(const Invocation& call, std::ostream& out, std::ostream& err);
int RunImport(const Invocation& call, std::ostream& out, std::ostream& err);
int RunExport(const Invocation& call, std::ostream& out, std::ostream& err);
int RunUse(const Invocation& call, std::ostream& out, std::ostream& err);
int RunAdd(const Invocation& call, std::ostream& out, std::ostream& err);
int RunRename(const Invocation& call, std::ostream& out, std::ostream& err);
int RunDelete(const Invocation& call, std::ostream& out, std::ostream& err);
int RunReset(const Invocation& call, std::ostream& out, std::ostream& err);
int RunSet(const Invocation& call, std::ostream& out, std::ostream& err);
int RunButton(const Invocation& call, std::ostream& out, std::ostream& err);
int RunFunctions(const Invocation& call, std::ostream& out, std::ostream& err);
int RunMacros(const Invocation& call, std::ostream& out, std::ostream& err);
int RunMacroImport(const Invocation& call, std::ostream& out, std::ostream& err);
int RunMacroExport(const Invocation& call, std::ostream& out, std::ostream& err);
int RunApply(const Invocation& call, std::ostream& out, std::ostream& err);
int RunStatus(const Invocation& call, std::ostream& out, std::ostream& err);
int RunPrograms(const Invocation& call, std::ostream& out, std::ostream& err);
int RunProgramRule(const Invocation& call, std::ostream& out, std::ostream& err);
int RunWatch(const Invocation& call, std::ostream& out, std::ostream& err);

}  // namespace nimba::mousectl
