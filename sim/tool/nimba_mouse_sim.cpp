// nimba-mouse-sim: drives the simulated mouse of a running program from the command line.

#include <cstdio>
#include <optional>
#include <string>

#include "sim/control_socket.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: nimba-mouse-sim press dpi|light | cable in|out | receiver in|out |"
                     " ble on|off | sleep | wake | battery N | charging on|off | state | log\n");
        return 64;
    }
    std::string command = argv[1];
    for (int i = 2; i < argc; ++i) command += std::string(" ") + argv[i];

    const std::string path = nimba::sim::ControlSocketPath();
    const std::optional<std::string> answer = nimba::sim::SendControlCommand(path, command);
    if (!answer) {
        std::fprintf(stderr,
                     "nimba-mouse-sim: no simulated mouse is running (nothing listens at %s);"
                     " start the program from the demo folder first\n",
                     path.c_str());
        return 2;
    }
    if (answer->starts_with("OK\n")) {
        std::fputs(answer->c_str() + 3, stdout);
        return 0;
    }
    std::fprintf(
        stderr, "nimba-mouse-sim: %s",
        answer->starts_with("ERR ") ? answer->c_str() + 4 : "no answer from the simulated mouse\n");
    return 1;
}
