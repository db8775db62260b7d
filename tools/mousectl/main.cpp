#include <iomanip>
#include <iostream>
#include <string_view>
#include <vector>

#include "mousectl/commands.h"
#include "mousectl/store_session.h"
#include "platform/diagnostic_output.h"

namespace nimba::mousectl {
namespace {

constexpr std::string_view kProgram = "nimba-mousectl";

constexpr std::string_view kSetDetails =
    "Settings and the values they take:\n"
    "  dpi STAGE VALUE          50-10000 in steps of 50, 10100-12000 in steps of 100\n"
    "  stage STAGE              the active stage, 1-8 (an enabled one)\n"
    "  stage-enabled STAGE on|off\n"
    "  dpi-colour STAGE RRGGBB\n"
    "  rate 125|250|500|1000    report rate in Hz\n"
    "  light EFFECT             lighting effect: 0-11 or its name (Static, Breathing, ...)\n"
    "  light-ble EFFECT         the effect over Bluetooth\n"
    "  brightness N             1-15\n"
    "  speed N                  0-9\n"
    "  light-colour RRGGBB\n"
    "  sleep MIN                1-60 minutes\n"
    "  light-off MIN            0.5-30 minutes in steps of 0.5\n"
    "  debounce MS              2-32 ms in steps of 2\n"
    "  lift-off on|off          (also high|low)\n"
    "  ripple on|off\n"
    "  angle-snap on|off\n";

constexpr std::string_view kButtonDetails =
    "FUNCTION is one of:\n"
    "  a menu option name (ms_1_copy, ms_1_dpi_up, ...) or its text (Copy, DPI up, ...);\n"
    "                           'nimba-mousectl functions' lists them\n"
    "  default                  the button's function in a new profile\n"
    "  key COMBINATION          for example key Ctrl+Shift+A, key Alt+F4\n"
    "  macro NAME [once|repeat N|hold|toggle]   a stored macro; repeat N takes 1-255\n"
    "Buttons 1-12 can be reassigned; one of buttons 1-16 must keep the left click.\n";

constexpr std::string_view kApplyNote =
    "With --apply the mouse is brought in line at once, as the program does.\n";

// Adding a command: a source file with its function, declared in commands.h, and one row here.
constexpr Command kCommands[] = {
    {"show", "show [PROFILE] [--json]", "prints a profile (the current one by default)",
     "PROFILE is a name or an index from 'profiles'.\n", "--json", 0, 1, RunShow},
    {"profiles", "profiles [--json]", "lists the stored profiles; * marks the current one", "",
     "--json", 0, 0, RunProfiles},
    {"macros", "macros [--json]", "lists the stored macros with their action counts", "", "--json",
     0, 0, RunMacros},
    {"set", "set SETTING [STAGE] VALUE [--apply]", "changes one setting of the current profile",
     kSetDetails, "--apply", 2, 3, RunSet},
    {"button", "button N FUNCTION... [--apply]", "gives button N of the current profile a function",
     kButtonDetails, "--apply", 2, 5, RunButton},
    {"functions", "functions", "lists the functions 'button' takes by name, with their texts", "",
     "", 0, 0, RunFunctions},
    {"use", "use PROFILE [--apply]", "makes a profile the current one",
     "With --apply the whole profile is sent to the mouse.\n", "--apply", 1, 1, RunUse},
    {"add", "add NAME [--apply]", "adds a default profile and makes it current", kApplyNote,
     "--apply", 1, 1, RunAdd},
    {"rename", "rename PROFILE NAME", "renames a profile", "", "", 2, 2, RunRename},
    {"delete", "delete PROFILE [--apply]", "deletes a profile (never the last one)", kApplyNote,
     "--apply", 1, 1, RunDelete},
    {"reset", "reset PROFILE [--apply]", "restores a profile's default settings, keeping its name",
     kApplyNote, "--apply", 1, 1, RunReset},
    {"import", "import FILE.pro", "adds a profile file with its macros; it becomes current", "", "",
     1, 1, RunImport},
    {"export", "export PROFILE FILE.pro", "writes a profile to a file", "", "", 2, 2, RunExport},
    {"macro-import", "macro-import FILE.macro", "adds the macro of a file", "", "", 1, 1,
     RunMacroImport},
    {"macro-export", "macro-export INDEX FILE.macro", "writes a macro to a file", "", "", 2, 2,
     RunMacroExport},
    {"programs", "programs [--json]", "lists the profiles that follow the program in front",
     "Each line: PROGRAM, a tab, PROFILE; '*' names the profile for every other program.\n",
     "--json", 0, 0, RunPrograms},
    {"program-rule", "program-rule PROGRAM PROFILE | PROGRAM --remove",
     "gives a program in front a profile, or removes its rule",
     "PROGRAM is the window class or process name of the program; '*' stands for every\n"
     "program without a rule of its own (without it the current profile stays).\n",
     "--remove", 1, 2, RunProgramRule},
    {"apply", "apply", "sends the whole current profile to the mouse", "", "", 0, 0, RunApply},
    {"status", "status [--json]", "links, battery and charging as the mouse reports them", "",
     "--json", 0, 0, RunStatus},
    {"watch", "watch [--raw]", "prints each notice of the mouse until interrupted",
     "Each line starts with the local time; --raw prints the driver's words instead.\n", "--raw", 0,
     0, RunWatch},
    {"reports", "reports FILE.pro", "prints the reports a full apply of a profile file sends", "",
     "", 1, 1, RunReports},
};

void PrintOverview(std::ostream& out) {
    out << "usage: " << kProgram << " COMMAND [ARGUMENTS] [OPTIONS]\n"
        << "       " << kProgram << " --help | --version\n\n"
        << "Configures the NIMBA R380X mouse through the profile and macro stores of its\n"
        << "program folder.\n\ncommands:\n";
    for (const Command& command : kCommands) {
        out << "  " << std::left << std::setw(38) << command.usage << command.summary << "\n";
    }
    out << "\nRun '" << kProgram << " COMMAND --help' for the details of a command.\n"
        << "Exit status: 0 done, 1 failed, 2 bad usage or value (nothing changed),\n"
        << "3 no mouse, or it did not take every setting (a change is saved all the same).\n";
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
    out << "usage: " << kProgram << " " << command.usage << "\n\n" << command.summary << ".\n";
    if (!command.details.empty()) out << "\n" << command.details;
}

bool Accepts(const Command& command, std::string_view option) {
    std::string_view rest = command.options;
    while (!rest.empty()) {
        const size_t end = rest.find(' ');
        if (rest.substr(0, end) == option) return true;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return false;
}

int UsageError(const Command& command, std::string_view what) {
    std::cerr << kProgram << ": " << command.name << ": " << what << "\n"
              << "usage: " << kProgram << " " << command.usage << "\n";
    return kExitUsage;
}

int RunCommand(const Command& command, const std::vector<std::string_view>& words) {
    std::vector<std::string_view> args;
    Invocation call;
    bool options_end = false;
    for (std::string_view word : words) {
        if (options_end || !word.starts_with("-") || word == "-") {
            args.push_back(word);
        } else if (word == "--help" || word == "-h") {
            PrintCommandHelp(command, std::cout);
            return kExitOk;
        } else if (word == "--") {
            options_end = true;
        } else if (!Accepts(command, word)) {
            return UsageError(command, "unknown option '" + std::string(word) + "'");
        } else {
            call.apply |= word == "--apply";
            call.json |= word == "--json";
            call.raw |= word == "--raw";
            call.remove |= word == "--remove";
        }
    }
    if (args.size() < command.min_args) return UsageError(command, "missing arguments");
    if (args.size() > command.max_args) return UsageError(command, "too many arguments");
    call.args = args;
    int code = kExitFailure;
    try {
        code = command.run(call, std::cout, std::cerr);
    } catch (const StoresUnavailable& store) {
        std::cerr << kProgram << ": " << store.message << "\n";
    }
    if (code == kExitUsage) std::cerr << "usage: " << kProgram << " " << command.usage << "\n";
    return code;
}

int Dispatch(int argc, char** argv) {
    const std::string_view name = argc > 1 ? argv[1] : "";
    if (name == "--help" || name == "-h") {
        PrintOverview(std::cout);
        return kExitOk;
    }
    if (name == "--version") {
        std::cout << kProgram << " " << NIMBA_VERSION << "\n";
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return RunCommand(command, std::vector<std::string_view>(argv + 2, argv + argc));
        }
    }
    std::cerr << kProgram << ": "
              << (name.empty() ? std::string("no command given")
                               : "unknown command '" + std::string(name) + "'")
              << "\n";
    PrintOverview(std::cerr);
    return kExitUsage;
}

}  // namespace
}  // namespace nimba::mousectl

int main(int argc, char** argv) {
    // Standard output carries the commands' results; the device layer's lines would mix in.
    platform::SetDiagnosticOutput(stderr);
    return nimba::mousectl::Dispatch(argc, argv);
}
