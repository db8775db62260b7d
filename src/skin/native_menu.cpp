#include "skin/native_menu.h"

#include <memory>
#include <vector>

#include "skin/dialog_builder.h"
#include "skin/menu_command.h"
#include "skin/menu_wnd.h"
#include "skin/skin_text.h"

bool CNativeMenu::Init(std::u16string_view xml, HWND owner) {
    menu_.clear();
    submenus_.clear();
    const std::unique_ptr<CControlUI> root(CDialogBuilder().Create(xml));
    if (!root) return false;
    const std::vector<CMenuElementUI*> elements = MenuElements(root.get());
    for (CMenuElementUI* element : elements) {
        if (!element->GetSubmenu().empty()) {
            auto submenu = std::make_unique<CNativeMenu>();
            if (submenu->Init(element->GetSubmenu(), owner)) {
                submenu->menu_.setTitle(nimba::skin::ToQ(element->GetShownText()));
                menu_.addMenu(&submenu->menu_);
                submenus_.push_back(std::move(submenu));
            }
            continue;
        }
        QAction* action = menu_.addAction(nimba::skin::ToQ(element->GetShownText()));
        action->setObjectName(nimba::skin::ToQ(element->GetName()));
        action->setCheckable(element->GetChecked());
        action->setChecked(element->GetChecked());
        QObject::connect(
            action, &QAction::triggered,
            [owner, action, name = element->GetName(), user_data = element->GetUserData(),
             text = element->GetText()](bool checked) {
                // The tick as the item showed it when chosen, as CMenuWnd reports.
                const bool shown_ticked = action->isCheckable() && !checked;
                nimba::skin::PostMenuCommand(owner, name, user_data, text, shown_ticked);
            });
    }
    return !elements.empty();
}

void CNativeMenu::SetChecks(const std::map<std::u16string, bool>& check_states) {
    for (const auto& submenu : submenus_) submenu->SetChecks(check_states);
    for (QAction* action : menu_.actions()) {
        const auto it = check_states.find(nimba::skin::FromQ(action->objectName()));
        if (it == check_states.end()) continue;
        action->setCheckable(true);
        action->setChecked(it->second);
    }
}
