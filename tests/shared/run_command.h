#pragma once

// Runs a shell command the way a user would type it and keeps what it printed.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace nimba::test {

struct RunResult {
    int exit_code;
    std::string out;
    std::string err;
};

inline RunResult RunCommand(const std::string& command) {
    char err_path[] = "/tmp/nimba-test-stderr-XXXXXX";
    const int fd = mkstemp(err_path);
    if (fd >= 0) close(fd);
    RunResult result{-1, {}, {}};
    // The whole command in a subshell, so a pipeline or `&` leaves no stderr unredirected.
    FILE* pipe = popen(("(" + command + ") 2>" + err_path).c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(err_path, std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(err), {});
    std::remove(err_path);
    return result;
}

}  // namespace nimba::test
