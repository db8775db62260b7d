#pragma once

// The X server's raw key and button events, read in a thread of its own. Raw events are copies
// the server hands to watchers beside the normal delivery, so nothing is taken from the
// application the user is typing into.

#include <functional>
#include <thread>

namespace tap {

struct RawInput {
    enum Kind { kKey, kButton } kind;
    bool down;
    unsigned long keysym;  // kKey: the key's symbol in the first group and level
    int button;            // kButton: X button number (1 left, 2 middle, 3 right, 8, 9 sides)
};

class RawInputWatch {
public:
    using Sink = std::function<void(const RawInput&)>;

    explicit RawInputWatch(Sink sink);
    // Ends the thread; nothing reaches the sink afterwards.
    ~RawInputWatch();
    RawInputWatch(const RawInputWatch&) = delete;
    RawInputWatch& operator=(const RawInputWatch&) = delete;

private:
    void Run();

    Sink sink_;
    int stop_fd_ = -1;
    std::thread thread_;
};

}  // namespace tap
