#pragma once

// Debug traces: written to standard error when NIMBA_DEBUG is set in the environment,
// dropped otherwise. One trace is one line.
void OutputDebugStringW(const wchar_t* text);

#include <string_view>

namespace nimba {

// A trace of UTF-8 text, as OutputDebugStringW writes it.
void Trace(std::string_view text);

}  // namespace nimba
