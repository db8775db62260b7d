#pragma once

// Walking a control tree: the controls a control holds, whatever its kind.

#include <vector>

class CControlUI;

namespace nimba::skin {

// The controls directly inside `control`, in order: a container's items, a list's rows.
std::vector<CControlUI*> ChildControls(CControlUI& control);

}  // namespace nimba::skin
