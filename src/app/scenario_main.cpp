// nimba-scenario [--real-time] [--display] FILE.scn   (FILE may be - for standard input)
//
// Runs the program of its program folder from a script, headless and in virtual time unless
// told otherwise. Its single-instance files and the simulated mouse's socket are private to
// the run, so runs go side by side and beside a running nimba-mouse.

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_scenario_host.h"
#include "page/desktop_mouse_settings.h"
#include "platform/debug_output.h"
#include "platform/module_directory.h"
#include "platform/text_encoding.h"
#include "scenario/scenario_runner.h"
#include "sim/control_socket.h"
#include "skin/tray_icon.h"

namespace {

constexpr int kUsageError = 2;
// A tool that has not ended by then is stuck, not slow.
constexpr int kToolTimeoutMs = 30000;

int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--real-time] [--display] FILE.scn\n", program);
    return kUsageError;
}

// The answer without its "OK" line.
std::string Output(const std::string& answer) {
    return answer.starts_with("OK\n") ? answer.substr(3) : answer;
}

// nimba-mousectl of the program folder, run beside the program with the run's runtime folder
// while the event loop goes on; why it failed, or empty.
std::string RunMousectl(const std::string& runtime, const std::string& working_dir,
                        const std::vector<std::string>& args) {
    QStringList arguments;
    for (const std::string& arg : args) arguments << QString::fromStdString(arg);
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(QString::fromStdString(working_dir));
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QString::fromStdString(GetModuleDirectory() + "nimba-mousectl"), arguments);
    if (!tool.waitForStarted()) return "mousectl: " + tool.errorString().toStdString();
    QEventLoop loop;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kToolTimeoutMs, &loop, &QEventLoop::quit);
    if (tool.state() != QProcess::NotRunning) loop.exec();
    if (tool.state() != QProcess::NotRunning) {
        tool.kill();
        tool.waitForFinished();
        return "mousectl: still running after " + std::to_string(kToolTimeoutMs / 1000) + " s";
    }
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0) return {};
    return "mousectl exited " + std::to_string(tool.exitCode()) + ": " +
           tool.readAll().trimmed().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    nimba::scenario::ScenarioOptions options;
    bool display = false;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--real-time") {
            options.real_time = true;
        } else if (arg == "--display") {
            display = true;
        } else if (file.empty() && (arg == "-" || !arg.starts_with("-"))) {
            file = arg;
        } else {
            return Usage(argv[0]);
        }
    }
    if (file.empty()) return Usage(argv[0]);

    std::string script;
    if (file == "-") {
        script.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], file.c_str());
            return kUsageError;
        }
        script.assign(std::istreambuf_iterator<char>(in), {});
    }

    // Offscreen keeps the screens a caller gave it ("offscreen:configfile=screens.json").
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!display && (platform == nullptr || !std::string_view(platform).starts_with("offscreen")))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char folder_template[] = "/tmp/nimba-scenario-XXXXXX";
    if (mkdtemp(folder_template) == nullptr) {
        std::perror("nimba-scenario: private folder");
        return kUsageError;
    }
    const std::string runtime = std::string(folder_template) + "/";

    // In the demo program folder the simulated mouse is plugged in; talk to it privately.
    const bool simulated = std::filesystem::exists(GetModuleDirectory() + "libnimba_sim.so");
    if (simulated) {
        const std::string socket = runtime + "mouse-sim.sock";
        setenv("NIMBA_SIM_SOCKET", socket.c_str(), 1);
        if (std::getenv("NIMBA_SIM_LOG") == nullptr) {
            setenv("NIMBA_SIM_LOG", (runtime + "mouse-sim.log").c_str(), 1);
        }
        options.sim = [socket](const std::string& command) {
            return nimba::sim::SendControlCommand(socket, command)
                .value_or("ERR no simulated mouse is running");
        };
        options.sim_state = [socket] {
            return Output(nimba::sim::SendControlCommand(socket, "state").value_or(""));
        };
        options.sim_log = [socket] {
            return Output(nimba::sim::SendControlCommand(socket, "log").value_or(""));
        };
    }
    options.working_dir = std::filesystem::current_path().string();
    options.mousectl = [runtime,
                        working_dir = options.working_dir](const std::vector<std::string>& args) {
        return RunMousectl(runtime, working_dir, args);
    };
    // A script never opens programs on the desktop it runs on; the trace says what it would.
    nimba::SetDesktopLauncherForTest([](const std::vector<std::string>& command) {
        std::string line = "mouse settings: not started under a script:";
        for (const std::string& word : command) line += " " + word;
        OutputDebugStringW(platform::FromUtf8(line).c_str());
        return true;
    });

    int code = 0;
    {
        // Qt would read our --display as its own -display option and take the next argument
        // for an X server's name: it gets the program's name only.
        int qt_argc = 1;
        QApplication application(qt_argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        // Offscreen, the script's `tray` lines are the tray; on a display, the desktop's is.
        CTrayIcon::SetStandInHost(!display);
        nimba::ProgramScenarioHost host(runtime);
        code = nimba::scenario::RunScenario(script, host, options);
    }
    std::filesystem::remove_all(runtime);
    return code;
}
