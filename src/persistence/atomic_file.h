#pragma once

#include <functional>
#include <string>

#include "persistence/byte_stream.h"

namespace nimba {

// Replaces the file at `path` with what `write` produces, so that the file is at every moment
// either the old content or the whole new one: the bytes go to a temporary file beside it,
// which is flushed to disk and renamed over `path` only when `write` succeeded. On any failure
// the temporary file is removed, `path` is untouched and the result is false.
// A symbolic link at `path` stays a link: its target is what gets replaced.
bool WriteFileAtomically(const std::string& path, const std::function<bool(OutputStream&)>& write);

// Removes the temporary files beside `path` that saves of processes no longer running left.
void RemoveStaleTemporaries(const std::string& path);

}  // namespace nimba
