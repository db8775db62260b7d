#pragma once

// nimba-mousectl beside a running nimba-mouse: the program holds the stores in memory and
// talks to the mouse, so after a save it is told to read them again and to apply, rather than
// overwriting the change with its next save or writing to the mouse alongside this process.

#include <ostream>
#include <string>

#include "app/instance_channel.h"

namespace nimba::mousectl {

enum class ProgramReply {
    kNotRunning,  // no copy of the program keeps these stores: this process does the work
    kDone,        // the program has read the stores and, when asked, applies them
    kNoMouse,     // the program shows the change; no mouse is there to take it
    kNoAnswer,    // a copy holds the lock but did not answer in time
};

// Tells a running program of this user that the stores of `data_directory` were saved; what it
// says that it does goes to `err` unless the program simply did it.
ProgramReply TellRunningProgram(const std::string& data_directory, StoresApply apply,
                                std::ostream& err);

}  // namespace nimba::mousectl
