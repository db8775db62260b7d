#pragma once

// Debug traces: written to standard error when NIMBA_DEBUG is set in the environment,
// dropped otherwise. One trace is one line.
void OutputDebugStringW(const wchar_t* text);
