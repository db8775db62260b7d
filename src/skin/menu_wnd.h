#pragma once

// Pop-up menus from a menu skin: <Window><Menu><MenuElement name=".." text=".." userdata=".."
// checked=".."/>...</Menu></Window>. Clicking an item posts message 1027 to the owner's
// window with wParam = a MenuCmd record (release it with CPaintManagerUI::DeletePtr) and
// closes the menu; Escape, a press outside the menu or turning to another program closes it
// with no choice.

#include <map>
#include <string>
#include <vector>

#include "skin/button.h"
#include "skin/container.h"
#include "skin/ui_geometry.h"
#include "skin/window_impl_base.h"

inline constexpr UINT WM_MENUCLICK = WM_USER + 3;  // 1027

// Where the menu sits relative to its point: Left = its left edge at x, Right = its right edge
// at x, Top = its top at y, Bottom = its bottom at y.
enum MenuAlignment : DWORD {
    eMenuAlignment_Left = 1 << 1,
    eMenuAlignment_Top = 1 << 2,
    eMenuAlignment_Right = 1 << 3,
    eMenuAlignment_Bottom = 1 << 4,
};

class CMenuUI : public CVerticalLayoutUI {
public:
    std::u16string_view GetClass() const override { return u"Menu"; }
};

class CMenuElementUI : public CButtonUI {
public:
    CMenuElementUI();
    std::u16string_view GetClass() const override { return u"MenuElement"; }
    bool GetChecked() const { return checked_; }
    void SetChecked(bool checked);
    // The menu skin this item opens: the owner gets the item's command and shows that menu;
    // a menu the desktop draws shows it as a submenu.
    const std::u16string& GetSubmenu() const { return submenu_; }
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

private:
    bool checked_ = false;
    std::u16string submenu_;
};

// The items of a menu's control tree, in order.
std::vector<CMenuElementUI*> MenuElements(CControlUI* root);

class CMenuWnd : public WindowImplBase {
public:
    std::u16string GetWindowClassName() const override { return u"MenuWnd"; }
    std::u16string GetSkinFile() override { return xml_; }

    // Builds and shows the menu. `check_states` (item name -> ticked) overrides the skin's.
    // Owner element is accepted for the shape of the call; sub-menus are not built.
    bool Init(CControlUI* owner, std::u16string_view xml, POINT point,
              CPaintManagerUI* main_manager, std::map<std::u16string, bool>* check_states = nullptr,
              DWORD alignment = eMenuAlignment_Left | eMenuAlignment_Top);
    // Sizes the menu to its visible items and places it at its point again, kept on screen.
    void ResizeMenu();
    void SetPoint(POINT point) { point_ = point; }
    int GetVisibleItemCount() const;
    CPaintManagerUI& GetManager() { return m_pm; }

    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;

private:
    std::u16string xml_;
    POINT point_{};
    DWORD alignment_ = 0;
    CPaintManagerUI* main_manager_ = nullptr;
};
