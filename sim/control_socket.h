#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace nimba::sim {

// $NIMBA_SIM_SOCKET, else nimba-mouse-sim.sock in $XDG_RUNTIME_DIR, else control.sock in a
// folder of this user under /tmp (with the user id in its name, mode 0700).
std::string ControlSocketPath();

// One command per connection: the client writes a line, the server answers and closes.
// Answers start with "OK\n" or "ERR <reason>\n"; what follows "OK\n" is for the user.
class ControlServer {
public:
    using Handler = std::function<std::string(std::string_view command)>;

    // Does not listen when another live simulator already holds `path`.
    ControlServer(std::string path, Handler handler);
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    bool listening() const { return listen_fd_ >= 0; }

private:
    void Serve();
    void Answer(int client);

    std::string path_;
    Handler handler_;
    int listen_fd_ = -1;
    int stop_fd_ = -1;  // eventfd that ends Serve
    std::thread thread_;
};

// The server's answer, or nothing when no simulator is listening at `path`.
std::optional<std::string> SendControlCommand(const std::string& path, std::string_view command);

}  // namespace nimba::sim
