#include "sample_content.h"

#include <string>

#include "skin/button.h"
#include "skin/combo.h"
#include "skin/container.h"
#include "skin/dialog_builder.h"
#include "skin/edit.h"
#include "skin/label.h"
#include "skin/list.h"
#include "skin/paint_manager.h"
#include "skin/slider.h"

namespace nimba::gallery {
namespace {

std::u16string Numbered(std::u16string_view format_head, int n) {
    std::u16string name(format_head);
    for (const char c : std::to_string(n)) name += static_cast<char16_t>(c);
    return name;
}

std::u16string Decimal(int n) {
    return Numbered(u"", n);
}

template <class T>
T* Find(CPaintManagerUI& pm, std::u16string_view name) {
    return pm.FindControlAs<T>(name);
}

void SetKeyText(CControlUI* control, std::u16string_view key) {
    if (control == nullptr) return;
    control->SetResourceText(true);
    control->SetText(key);
}

void FillList(CListUI* list, std::initializer_list<std::u16string_view> names, int selected) {
    if (list == nullptr) return;
    for (const auto name : names) {
        auto* row = new CListLabelElementUI;
        row->SetText(name);
        list->Add(row);
    }
    list->SelectItem(selected);
}

void FillMainWindow(CPaintManagerUI& pm) {
    FillList(Find<CListUI>(pm, u"ms_1_list_profile"), {u"Profile1", u"Shooter", u"Strategy"}, 0);

    // Labels of a new profile's buttons; 5 and 9 have no label of their own.
    static constexpr std::u16string_view kLabels[18] = {u"left_click_text",
                                                        u"right_click_text",
                                                        u"wheel_click_text",
                                                        u"dpi_cycle_text",
                                                        u"",
                                                        u"dpi_cycle_text",
                                                        u"forward_text",
                                                        u"backward_text",
                                                        u"",
                                                        u"button_off_text",
                                                        u"button_off_text",
                                                        u"button_off_text",
                                                        u"button_off_text",
                                                        u"button_off_text",
                                                        u"button_off_text",
                                                        u"button_off_text",
                                                        u"scroll_down_text",
                                                        u"scroll_up_text"};
    for (int i = 0; i < 18; ++i) {
        SetKeyText(pm.FindControl(Numbered(u"ms_1_btn_key_", i + 1)), kLabels[i]);
    }

    static constexpr int kCodes[8] = {16, 24, 48, 64, 100, 220, 0, 0};
    static constexpr int kDpi[8] = {800, 1200, 2400, 3200, 5000, 12000, 0, 0};
    static constexpr DWORD kColours[8] = {0xFFFF0000, 0xFF0000FF, 0xFF00FF00, 0xFFFFFF00,
                                          0xFF00FFFF, 0xFFFF00FF, 0xFFFFFFFF, 0xFFFF7F00};
    for (int s = 1; s <= 8; ++s) {
        if (auto* slider = Find<CSliderUI>(pm, Numbered(u"ms_1_slider_dpi_", s)))
            slider->SetValue(kCodes[s - 1]);
        if (auto* label = pm.FindControl(Numbered(u"ms_1_label_dpi_", s)))
            label->SetText(Decimal(kDpi[s - 1]));
        if (auto* edit = pm.FindControl(Numbered(u"ms_1_edit_dpi_", s)))
            edit->SetText(Decimal(kDpi[s - 1]));
        if (auto* colour = pm.FindControl(Numbered(u"ms_1_btn_dpi_color_", s)))
            colour->SetBkColor(kColours[s - 1]);
    }
    if (auto* stage = Find<COptionUI>(pm, u"ms_1_option_dpi_step_2")) stage->Selected(true, false);

    if (auto* rate = Find<COptionUI>(pm, u"ms_1_btn_prate_4")) rate->Selected(true, false);
    SetKeyText(pm.FindControl(u"ms_1_label_prate"), u"prate_4_text");
    if (auto* ripple = Find<COptionUI>(pm, u"ms_1_option_ripple_control_2"))
        ripple->Selected(true, false);
    if (auto* snap = Find<COptionUI>(pm, u"ms_1_option_angle_snap_1")) snap->Selected(true, false);
    if (auto* lift = Find<COptionUI>(pm, u"ms_1_option_lift_of_distance_1"))
        lift->Selected(true, false);
    if (auto* light = Find<CComboUI>(pm, u"ms_1_combo_light")) light->SelectItem(1);
    if (auto* light = Find<CComboUI>(pm, u"ms_1_combo_light_ble")) light->SelectItem(3);
    // Effect 1 (static) offers brightness and colour.
    for (const auto name : {u"ms_1_ver_brightness", u"ms_1_hor_light_color"}) {
        if (auto* area = pm.FindControl(name)) area->SetVisible(true);
    }

    if (auto* label = pm.FindControl(u"ms_1_label_sleep_timer"))
        label->SetText(u"Sleep after 10 min");
    if (auto* label = pm.FindControl(u"ms_1_label_light_off"))
        label->SetText(u"Lights off after 0.5 min");
    if (auto* label = pm.FindControl(u"ms_1_label_key_debounce")) label->SetText(u"8 MS");

    if (auto* battery = Find<CProgressUI>(pm, u"ms_1_progress_power")) battery->SetValue(75);
    if (auto* label = pm.FindControl(u"ms_1_label_power")) label->SetText(u"75%");
    for (const auto name : {u"ms_1_wired", u"ms_1_wireless"}) {
        if (auto* link = pm.FindControl(name)) link->SetVisible(true);
    }
}

void FillMacroEditor(CPaintManagerUI& pm) {
    FillList(Find<CListUI>(pm, u"ms_1_macro_list"), {u"Macro1", u"Reload", u"Burst fire"}, 1);
    if (auto* name = pm.FindControl(u"ms_1_macro_name_edit")) name->SetText(u"Reload");
    auto* actions = Find<CListUI>(pm, u"ms_1_macro_action_list");
    if (actions == nullptr) return;
    struct Action {
        std::u16string_view key;
        bool mouse;
        bool press;
        int delay;
    };
    static constexpr Action kActions[] = {{u"R", false, true, 52},
                                          {u"R", false, false, 120},
                                          {u"L_Button", true, true, 35},
                                          {u"L_Button", true, false, 10}};
    for (const Action& a : kActions) {
        CControlUI* row = CDialogBuilder().Create(u"keylistitem.xml", &pm);
        if (row == nullptr) return;
        actions->Add(row);
        if (auto* key = row->FindControl(u"key")) {
            key->SetText(a.mouse ? u"Left button" : a.key);
            key->SetBkImage(a.mouse ? u"file='skins/mouse.png' dest='2,2,28,28'"
                                    : u"file='skins/keyboard_key_action.png' dest='5,6,35,24'");
        }
        if (auto* action = row->FindControl(u"action")) {
            SetKeyText(action, a.press ? u"key_down_action" : u"key_up_action");
            action->SetBkImage(a.press ? u"file='skins/macro_key_down.png' dest='5,6,21,24'"
                                       : u"file='skins/macro_key_up.png' dest='5,6,21,24'");
        }
        if (auto* delay = row->FindControl(u"delay")) delay->SetText(Decimal(a.delay));
    }
    actions->SelectItem(1);
}

void FillSelectMacro(CPaintManagerUI& pm) {
    FillList(Find<CListUI>(pm, u"list_macro"), {u"Macro1", u"Reload", u"Burst fire"}, 2);
    if (auto* mode = Find<COptionUI>(pm, u"repeat_1")) mode->Selected(true, false);
    if (auto* count = pm.FindControl(u"edit_loop_time")) count->SetText(u"3");
}

}  // namespace

void FillSampleContent(std::u16string_view skin_file, CPaintManagerUI& pm) {
    if (skin_file == u"main.xml") {
        FillMainWindow(pm);
    } else if (skin_file == u"MS/MS_1/ms_1_macropage.xml") {
        FillMacroEditor(pm);
    } else if (skin_file == u"MS/MS_1/selectmacro.xml") {
        FillSelectMacro(pm);
    } else if (skin_file == u"msg.xml") {
        SetKeyText(pm.FindControl(u"warning_title"), u"warning_title_text");
        SetKeyText(pm.FindControl(u"warning"), u"delete_profile_text");
    } else if (skin_file == u"DPImsg.xml") {
        if (auto* label = pm.FindControl(u"dpi_label")) label->SetText(u"DPI :1600");
    } else if (skin_file == u"DpiColorDialog.xml") {
        if (auto* shown = pm.FindControl(u"color_show_control")) shown->SetBkColor(0xFF18C8D6);
        for (const auto& [name, value] :
             {std::pair{u"r_edit", u"24"}, {u"g_edit", u"200"}, {u"b_edit", u"214"}}) {
            if (auto* edit = pm.FindControl(name)) edit->SetText(value);
        }
    } else if (skin_file == u"MS/MS_1/profilename.xml") {
        SetKeyText(pm.FindControl(u"title_string"), u"profile_name_1_text");
        if (auto* edit = pm.FindControl(u"edit_name")) edit->SetText(u"Shooter");
    } else if (skin_file == u"shortcut.xml") {
        if (auto* ctrl = Find<CCheckBoxUI>(pm, u"check_flag_1")) ctrl->SetCheck(true);
        if (auto* shift = Find<CCheckBoxUI>(pm, u"check_flag_2")) shift->SetCheck(true);
        if (auto* key = pm.FindControl(u"edit_key")) key->SetText(u"S");
    }
}

void OpenAllSections(CPaintManagerUI& pm) {
    static constexpr std::u16string_view kSections[][2] = {
        {u"ms_1_check_light", u"ms_1_ver_light"},
        {u"ms_1_check_mouse_attribute", u"ms_1_ver_mouse_attribute"},
        {u"ms_1_check_key_debounce", u"ms_1_hor_key_debounce"},
        {u"ms_1_check_ripple_control", u"ms_1_hor_ripple_control"},
        {u"ms_1_check_angle_snap", u"ms_1_hor_angle_snap"}};
    for (const auto& [check, section] : kSections) {
        if (auto* box = Find<CCheckBoxUI>(pm, check)) box->SetCheck(true);
        if (auto* area = pm.FindControl(section)) area->SetVisible(true);
    }
    if (auto* settings = Find<CContainerUI>(pm, u"ms_1_ver_setting")) settings->EndDown();
}

}  // namespace nimba::gallery
