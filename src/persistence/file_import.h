#pragma once

namespace nimba {

// The outcome of reading a profile or macro file into its list.
enum class ImportStatus {
    kImported,
    kUnreadable,  // the file could not be opened
    kTruncated,   // shorter than one record
    kInvalid,     // a record the program cannot hold (a macro with too many actions)
};

struct ImportResult {
    ImportStatus status;
    int index;           // position of the new record in its list; -1 unless imported
    bool saved = false;  // the stores the import itself writes were written
};

}  // namespace nimba
