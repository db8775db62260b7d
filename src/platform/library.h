#pragma once

// Run-time loading of the driver and capture libraries. A name ending in ".dll" is loaded as
// the same name ending in ".so", so callers keep the file names they were given.

#include "platform/win_types.h"

// NULL when the file is missing or does not load (every symbol is resolved at once).
HMODULE LoadLibraryW(const wchar_t* path);
// NULL for a missing symbol or a null module or name.
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);

// Looks `name` up in `module` as a pointer of the type `fn` has; false when it is missing.
template <typename Fn>
bool LookUpProc(HMODULE module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(GetProcAddress(module, name));
    return fn != nullptr;
}
