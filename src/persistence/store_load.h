#pragma once

#include <string>

namespace nimba {

// Whether loading a store may write it: the program and the changing commands create a missing
// store and mend a damaged one; a command that only reads leaves the files as they are. Without
// the stores' lock nothing is written at all, not even the end of a save that was cut short:
// the process holding the lock may be making that save.
enum class StoreAccess { kReadWrite, kReadOnly, kUnlocked };

// What loading a store found, for the user to be told.
struct StoreLoad {
    enum class Outcome {
        kRead,        // as stored (or created on the first run)
        kSetAside,    // damaged: its bytes were kept in `detail`, the store was mended
        kUnreadable,  // there but not readable (`detail` says why): the list is a stand-in in
                      // memory, and the store is never saved over until it is loaded again
    };
    Outcome outcome = Outcome::kRead;
    std::string detail;
};

}  // namespace nimba
