#pragma once

// A menu skin's items as a menu the desktop draws: a StatusNotifierItem host draws the tray
// icon's menu itself from what the program exports over DBusMenu, so the items go there as a
// QMenu. Same items, texts and ticks as CMenuWnd builds from the file, and choosing one posts
// the same message 1027 with a MenuCmd record to the owner window.

#include <QMenu>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

class CNativeMenu {
public:
    // Reads the items of `xml` (relative to the resource path). False when it holds none.
    bool Init(std::u16string_view xml, HWND owner);
    // Items named in `check_states` get a tick box, ticked as given.
    void SetChecks(const std::map<std::u16string, bool>& check_states);
    QMenu* GetMenu() { return &menu_; }

private:
    QMenu menu_;
    std::vector<std::unique_ptr<CNativeMenu>> submenus_;
};
