#include "skin/control_tree.h"

#include "skin/container.h"
#include "skin/list.h"

namespace nimba::skin {

std::vector<CControlUI*> ChildControls(CControlUI& control) {
    std::vector<CControlUI*> children;
    if (auto* container = dynamic_cast<CContainerUI*>(&control)) {
        for (int i = 0; i < container->GetCount(); ++i) children.push_back(container->GetItemAt(i));
    } else if (auto* list = dynamic_cast<CListUI*>(&control)) {
        for (int i = 0; i < list->GetCount(); ++i) children.push_back(list->GetItemAt(i));
    }
    return children;
}

}  // namespace nimba::skin
