// nimba-mouse: the utility for the NIMBA R380X mouse. `nimba-mouse --quit` ends the running
// copy, the way out on a desktop without a tray; the command line says nothing else.

#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "app/instance_channel.h"
#include "app/program.h"
#include "platform/private_folder.h"
#include "skin/paint_manager.h"

namespace {

constexpr auto kQuitWait = std::chrono::seconds(10);
constexpr useconds_t kQuitPollUs = 20000;

// 0 once no copy runs; 1 when the runtime folder is not this user's alone, or the running copy
// did not answer or did not end in time.
int QuitRunningCopy() {
    const std::string folder = nimba::DefaultRuntimeFolder();
    if (const std::string refusal = platform::PreparePrivateFolder(folder); !refusal.empty()) {
        std::fprintf(stderr, "nimba-mouse: %s; the running copy cannot be asked to end\n",
                     refusal.c_str());
        return 1;
    }
    if (!nimba::InstanceRuns(folder)) {
        std::fprintf(stderr, "nimba-mouse: no copy is running\n");
        return 0;
    }
    if (!nimba::AskRunningCopy(folder, nimba::kQuitRequest)) {
        std::fprintf(stderr, "nimba-mouse: the running copy did not answer\n");
        return 1;
    }
    // It answers first and ends after; the caller may rely on its having ended.
    const auto deadline = std::chrono::steady_clock::now() + kQuitWait;
    while (nimba::InstanceRuns(folder)) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "nimba-mouse: the running copy has not ended\n");
            return 1;
        }
        usleep(kQuitPollUs);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--quit") return QuitRunningCopy();
    QApplication application(argc, argv);
    // Closing the last window only puts the program in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    int code = 0;
    {
        nimba::Program program;
        code = program.Start();
        if (code != 0) return code;
        code = CPaintManagerUI::MessageLoop();
    }
    CPaintManagerUI::Term();
    return code;
}
