#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "sim/sim_link.h"

namespace nimba::sim {

// "wired 0C 0A 01 ..." : the link, then every byte as an upper-case hex pair.
std::string FormatWriteLine(SimLink link, std::span<const uint8_t> bytes);

// Appends one line per write the mouse receives. The file is opened for every line so that
// a reader (or someone truncating it between tests) always sees whole lines.
class WriteLog {
public:
    explicit WriteLog(std::string path) : path_(std::move(path)) {}
    void Append(SimLink link, std::span<const uint8_t> bytes) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// $NIMBA_SIM_LOG, else Data/mouse-sim.log in the program folder.
std::string DefaultWriteLogPath();

}  // namespace nimba::sim
