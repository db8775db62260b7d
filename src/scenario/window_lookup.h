#pragma once

// The program's windows and controls as a person sees them: which windows are up and in what
// order, which window input goes to, which controls are there to act on.

#include <string>
#include <string_view>
#include <vector>

class CControlUI;
class WindowImplBase;

namespace nimba::scenario {

// What a window is called in a dump: its class name, "Menu" for a popup menu.
std::string WindowClass(WindowImplBase& window);
bool IsWindowShown(WindowImplBase& window);
// The window actions go to: the top-most shown modal dialog or popup menu, else the top-most
// shown window that takes the focus when it shows (an indicator popup does not). Null when no
// window is shown.
WindowImplBase* ActionWindow();
WindowImplBase* TopShownWindow();
// Modal dialogs shown and not closed yet.
int OpenModalCount();

// Every control of the window that has a name, in the order of its tree.
std::vector<CControlUI*> NamedControls(WindowImplBase& window);
// The control and everything around it inside its window are visible.
bool IsControlShown(CControlUI& control);
// Neither the control nor anything around it is disabled.
bool IsControlEnabled(CControlUI& control);
// The named control of the first window that has one, from the top down, shown or not.
CControlUI* FindControlInWindows(std::string_view name);

}  // namespace nimba::scenario
