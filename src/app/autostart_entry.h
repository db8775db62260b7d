#pragma once

// "Start at login": an entry in the desktop's autostart folder
// ($XDG_CONFIG_HOME/autostart/) that starts the program at login in the tray, without its
// window, the way the program starts when the mouse is not in use yet.

#include <string>

namespace nimba {

// The variable the autostart entry sets; any other start shows the window as always.
inline constexpr char kAutostartVariable[] = "NIMBA_AUTOSTART";

// Whether this start came from the autostart entry. The variable is removed, so nothing the
// program starts later inherits it.
bool TakeAutostartRequest();

std::string AutostartEntryPath();
bool AutostartEnabled();
// Writes the entry, starting `program` (an absolute path), or removes it; false when the
// folder or the file could not be changed.
bool SetAutostart(bool enabled, const std::string& program);

}  // namespace nimba
