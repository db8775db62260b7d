#pragma once

#include "persistence/file_stream.h"

namespace nimba {

// The outcome of reading a profile or macro file into its list.
enum class ImportStatus {
    kImported,
    kUnreadable,  // the file could not be opened
    kNotAFile,    // a folder, pipe or device was given
    kTruncated,   // shorter than one record
    kInvalid,     // a record the program cannot hold (a macro with too many actions)
};

struct ImportResult {
    ImportStatus status;
    int index;           // position of the new record in its list; -1 unless imported
    bool saved = false;  // the stores the import itself writes were written
};

// The refusal for a file that could not be opened.
inline ImportStatus RefusalFor(const OpenFailure& failure) {
    return failure.problem == FileProblem::kNotAFile ? ImportStatus::kNotAFile
                                                     : ImportStatus::kUnreadable;
}

}  // namespace nimba
