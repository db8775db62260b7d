#pragma once

#include <functional>
#include <string>

#include "persistence/byte_stream.h"

namespace nimba {

// Replaces the file at `path` with what `write` produces, so that the file is at every moment
// either the old content or the whole new one: the bytes go to a temporary file beside it,
// which is flushed to disk and renamed over `path` only when `write` succeeded. On any failure
// the temporary file is removed, `path` is untouched and the result is false.
bool WriteFileAtomically(const std::string& path, const std::function<bool(OutputStream&)>& write);

}  // namespace nimba
