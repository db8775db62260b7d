#pragma once

// The commands of nimba-mousectl. Each takes the arguments after its name and returns the
// process exit code; results go to `out`, messages to `err`.

#include <ostream>
#include <span>
#include <string_view>

namespace nimba::mousectl {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

using Args = std::span<const std::string_view>;
using CommandFunction = int (*)(Args args, std::ostream& out, std::ostream& err);

struct Command {
    std::string_view name;
    std::string_view usage;  // shown after the program name in the usage text
    CommandFunction run;
};

int RunReports(Args args, std::ostream& out, std::ostream& err);
int RunProfiles(Args args, std::ostream& out, std::ostream& err);
int RunImport(Args args, std::ostream& out, std::ostream& err);
int RunExport(Args args, std::ostream& out, std::ostream& err);
int RunMacros(Args args, std::ostream& out, std::ostream& err);
int RunMacroImport(Args args, std::ostream& out, std::ostream& err);
int RunMacroExport(Args args, std::ostream& out, std::ostream& err);
int RunApply(Args args, std::ostream& out, std::ostream& err);
int RunStatus(Args args, std::ostream& out, std::ostream& err);
int RunWatch(Args args, std::ostream& out, std::ostream& err);

}  // namespace nimba::mousectl
