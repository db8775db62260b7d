#include <iostream>
#include <string_view>
#include <vector>

#include "mousectl/commands.h"

namespace nimba::mousectl {
namespace {

// Adding a command: a source file with its function, declared in commands.h, and one row here.
constexpr Command kCommands[] = {
    {"reports", "reports FILE.pro", RunReports},
    {"profiles", "profiles", RunProfiles},
    {"import", "import FILE.pro", RunImport},
    {"export", "export INDEX FILE.pro", RunExport},
    {"macros", "macros", RunMacros},
    {"macro-import", "macro-import FILE.macro", RunMacroImport},
    {"macro-export", "macro-export INDEX FILE.macro", RunMacroExport},
    {"apply", "apply", RunApply},
    {"status", "status", RunStatus},
    {"watch", "watch", RunWatch},
};

void PrintUsage(std::ostream& err) {
    err << "usage:\n";
    for (const Command& command : kCommands) err << "  nimba-mousectl " << command.usage << "\n";
}

int Dispatch(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const std::string_view name = argv[1];
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (command.name == name) return command.run(args, std::cout, std::cerr);
    }
    std::cerr << "nimba-mousectl: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}

}  // namespace
}  // namespace nimba::mousectl

int main(int argc, char** argv) {
    return nimba::mousectl::Dispatch(argc, argv);
}
