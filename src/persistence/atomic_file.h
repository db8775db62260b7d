#pragma once

#include <functional>
#include <string>
#include <vector>

#include "persistence/byte_stream.h"

namespace nimba {

// Replaces the file at `path` with what `write` produces, so that the file is at every moment
// either the old content or the whole new one: the bytes go to a temporary file beside it,
// which is flushed to disk and renamed over `path` only when `write` succeeded. On any failure
// the temporary file is removed, `path` is untouched and the result is false.
// A symbolic link at `path` stays a link: its target is what gets replaced.
bool WriteFileAtomically(const std::string& path, const std::function<bool(OutputStream&)>& write);

// One file of a save that replaces several together.
struct FileReplacement {
    std::string path;
    std::function<bool(OutputStream&)> write;
};

// Replaces every file or none, even when the process is killed on the way: each new content is
// written to its temporary file first, then `journal` names them all and the renames follow.
// A failure before the journal leaves every file as it was; a kill after it is completed by
// FinishFilesTogether. False when any content could not be written or renamed.
bool ReplaceFilesTogether(const std::string& journal, const std::vector<FileReplacement>& files);
// Completes the renames a killed ReplaceFilesTogether left in `journal`, for the files among
// `targets` only (a journal is read like any file a user can put there), and removes it.
void FinishFilesTogether(const std::string& journal, const std::vector<std::string>& targets);

// Removes the temporary files beside `paths` (files of one folder, read once) that saves of
// processes no longer running left.
void RemoveStaleTemporaries(const std::vector<std::string>& paths);

}  // namespace nimba
