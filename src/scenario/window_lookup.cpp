#include "scenario/window_lookup.h"

#include <functional>

#include "skin/control_tree.h"
#include "skin/menu_wnd.h"
#include "skin/skin_text.h"
#include "skin/window_z_order.h"

namespace nimba::scenario {
namespace {

WindowImplBase* TopShown(const std::function<bool(WindowImplBase&)>& wanted) {
    const auto& windows = skin::WindowsInZOrder();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (IsWindowShown(**it) && wanted(**it)) return *it;
    }
    return nullptr;
}

void CollectNamed(CControlUI& control, std::vector<CControlUI*>& named) {
    if (!control.GetName().empty()) named.push_back(&control);
    for (CControlUI* child : skin::ChildControls(control)) CollectNamed(*child, named);
}

}  // namespace

std::string WindowClass(WindowImplBase& window) {
    if (dynamic_cast<CMenuWnd*>(&window) != nullptr) return "Menu";
    return skin::ToQ(window.GetWindowClassName()).toStdString();
}

bool IsWindowShown(WindowImplBase& window) {
    return window.GetWindowWidget() != nullptr && window.GetWindowWidget()->isVisible();
}

WindowImplBase* ActionWindow() {
    if (WindowImplBase* dialog = TopShown([](WindowImplBase& window) {
            return window.IsInModalRun() || dynamic_cast<CMenuWnd*>(&window) != nullptr;
        })) {
        return dialog;
    }
    return TopShown([](WindowImplBase& window) {
        return !window.GetWindowWidget()->testAttribute(Qt::WA_ShowWithoutActivating);
    });
}

WindowImplBase* TopShownWindow() {
    return TopShown([](WindowImplBase&) { return true; });
}

int OpenModalCount() {
    int count = 0;
    for (WindowImplBase* window : skin::WindowsInZOrder()) {
        if (window->IsInModalRun()) ++count;
    }
    return count;
}

std::vector<CControlUI*> NamedControls(WindowImplBase& window) {
    std::vector<CControlUI*> named;
    if (CControlUI* root = window.GetPaintManager().GetRoot()) CollectNamed(*root, named);
    return named;
}

bool IsControlShown(CControlUI& control) {
    QWidget* widget = control.GetWidget();
    return control.IsVisible() && widget->isVisibleTo(widget->window());
}

bool IsControlEnabled(CControlUI& control) {
    return control.IsEnabled() && control.GetWidget()->isEnabled();
}

CControlUI* FindControlInWindows(std::string_view name) {
    const std::u16string wanted = QString::fromUtf8(name.data(), name.size()).toStdU16String();
    const auto& windows = skin::WindowsInZOrder();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (CControlUI* control = (*it)->GetPaintManager().FindControl(wanted)) return control;
    }
    return nullptr;
}

}  // namespace nimba::scenario
