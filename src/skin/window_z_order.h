#pragma once

// Every skinned window that exists, stacked as a person sees them: the window shown or
// activated last is on top. The windows keep it up to date; tools that look at the program
// from outside (a scripted run) read it.

#include <vector>

class WindowImplBase;

namespace nimba::skin {

// Bottom to top.
const std::vector<WindowImplBase*>& WindowsInZOrder();
// A window that was created, shown or activated goes on top.
void RaiseInZOrder(WindowImplBase* window);
void LeaveZOrder(WindowImplBase* window);

}  // namespace nimba::skin
