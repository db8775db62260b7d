#pragma once

// The mouse settings of the desktop the program runs on, opened from the page. The desktop is
// told by XDG_CURRENT_DESKTOP; its settings program is started as a process of its own with
// an argument list, never through a shell.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nimba {

// The program and its arguments that open the mouse settings of the desktop named by an
// XDG_CURRENT_DESKTOP value ("ubuntu:GNOME", "KDE", "XFCE", ...; the first name known wins);
// empty when no name is known.
std::vector<std::string> DesktopMouseSettingsCommand(std::string_view current_desktop);

// Opens them for this session's desktop. Where no known desktop is named, or the program does
// not start, it does nothing but leave a trace.
void OpenDesktopMouseSettings();

// Tests and scripted runs: the command goes to `launcher` (which says whether it started)
// instead of starting anything; an empty launcher starts programs again.
using DesktopLauncher = std::function<bool(const std::vector<std::string>& command)>;
void SetDesktopLauncherForTest(DesktopLauncher launcher);

}  // namespace nimba
