#pragma once

// Builds one skin file of the source tree's res/ into a control tree, as a window would.

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "skin/container.h"
#include "skin/control.h"
#include "skin/paint_manager.h"

namespace nimba::test {

struct SkinTree {
    std::unique_ptr<CPaintManagerUI> manager = std::make_unique<CPaintManagerUI>();
    std::unique_ptr<CControlUI> root;

    CControlUI* Find(std::u16string_view name) const {
        return root ? root->FindControl(name) : nullptr;
    }
};

// The main window's collapsible sections, each with the check box that opens it.
inline constexpr std::pair<const char16_t*, const char16_t*> kMainSections[] = {
    {u"ms_1_check_button", u"ms_1_hor_button"},
    {u"ms_1_check_profile", u"ms_1_ver_profile"},
    {u"ms_1_check_power", u"ms_1_ver_power"},
    {u"ms_1_check_dpi", u"ms_1_ver_dpi"},
    {u"ms_1_check_light", u"ms_1_ver_light"},
    {u"ms_1_check_prate", u"ms_1_ver_prate"},
    {u"ms_1_check_mouse_attribute", u"ms_1_ver_mouse_attribute"},
    {u"ms_1_check_power_setting", u"ms_1_ver_power_setting"},
    {u"ms_1_check_lift_of_distance", u"ms_1_hor_lift_of_distance"},
    {u"ms_1_check_key_debounce", u"ms_1_hor_key_debounce"},
    {u"ms_1_check_ripple_control", u"ms_1_hor_ripple_control"},
    {u"ms_1_check_angle_snap", u"ms_1_hor_angle_snap"}};

// Visits a control and everything inside it.
inline void ForEachControl(CControlUI* control, const std::function<void(CControlUI*)>& visit) {
    visit(control);
    if (auto* box = dynamic_cast<CContainerUI*>(control)) {
        for (int i = 0; i < box->GetCount(); ++i) ForEachControl(box->GetItemAt(i), visit);
    }
}

// Qt and the source tree's res/ as the skin folder, once per process; the folder's path.
QString UseSourceSkins();
// Null root when the file is missing or cannot be built.
SkinTree LoadSkin(std::u16string_view file);
std::u16string Numbered(std::u16string_view head, int n);
std::string Utf8(std::u16string_view s);

}  // namespace nimba::test
