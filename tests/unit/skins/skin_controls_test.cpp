// Every window finds its controls by name in its skin file; a missing or mistyped name is
// a null control that the window never reports. These tests hold the names each window
// binds, with the kind it expects, per skin file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/button.h"
#include "skin/combo.h"
#include "skin/slider.h"
#include "skin_tree.h"

namespace nimba::test {
namespace {

struct Expected {
    std::u16string name;
    std::u16string kind;
};

void ExpectControls(const SkinTree& tree, const std::vector<Expected>& expected,
                    std::u16string_view virtual_wnd) {
    ASSERT_NE(tree.root, nullptr);
    for (const auto& e : expected) {
        CControlUI* control = tree.Find(e.name);
        if (control == nullptr) {
            ADD_FAILURE() << "missing control " << Utf8(e.name);
            continue;
        }
        EXPECT_EQ(Utf8(control->GetClass()), Utf8(e.kind)) << Utf8(e.name);
        // Notifications go to the virtual window the control sits in.
        EXPECT_EQ(Utf8(control->GetVirtualWnd()), Utf8(virtual_wnd)) << Utf8(e.name);
    }
}

void AddNumbered(std::vector<Expected>& list, std::u16string_view head, int count,
                 std::u16string_view kind, std::u16string_view tail = u"") {
    for (int i = 1; i <= count; ++i)
        list.push_back({Numbered(head, i) + std::u16string(tail), std::u16string(kind)});
}

std::vector<Expected> PageControls() {
    std::vector<Expected> c;
    AddNumbered(c, u"ms_1_btn_key_", 18, u"Button");
    AddNumbered(c, u"ms_1_key_control_", 18, u"HorizontalLayout");
    AddNumbered(c, u"ms_1_slider_dpi_", 8, u"Slider");
    AddNumbered(c, u"ms_1_label_dpi_", 8, u"Label");
    AddNumbered(c, u"ms_1_option_dpi_step_", 8, u"Option");
    AddNumbered(c, u"ms_1_btn_dpi_color_", 8, u"Button");
    AddNumbered(c, u"ms_1_edit_dpi_", 8, u"RichEdit");
    AddNumbered(c, u"ms_1_btn_prate_", 4, u"Option");
    AddNumbered(c, u"ms_1_option_lift_of_distance_", 2, u"Option");
    AddNumbered(c, u"ms_1_option_ripple_control_", 2, u"Option");
    AddNumbered(c, u"ms_1_option_angle_snap_", 2, u"Option");
    for (const auto* name : {u"ms_1_btn_macro", u"ms_1_profile_add_btn", u"ms_1_profile_delete_btn",
                             u"ms_1_profile_rename_btn", u"ms_1_profile_import_btn",
                             u"ms_1_profile_export_btn", u"ms_1_profile_reset_btn",
                             u"ms_1_btn_apply_dpi", u"ms_1_btn_reset_dpi", u"ms_1_btn_light_color",
                             u"ms_1_btn_mouse_attribute", u"ms_1_apply_btn", u"ms_1_btn_reset"})
        c.push_back({name, u"Button"});
    for (const auto* name :
         {u"ms_1_check_button", u"ms_1_check_profile", u"ms_1_check_power", u"ms_1_check_dpi",
          u"ms_1_check_light", u"ms_1_check_prate", u"ms_1_check_mouse_attribute",
          u"ms_1_check_power_setting", u"ms_1_check_lift_of_distance", u"ms_1_check_key_debounce",
          u"ms_1_check_ripple_control", u"ms_1_check_angle_snap", u"ms_1_check_movemode"})
        c.push_back({name, u"CheckBox"});
    for (const auto* name :
         {u"ms_1_ver_profile", u"ms_1_ver_power", u"ms_1_ver_setting", u"ms_1_ver_dpi",
          u"ms_1_ver_light", u"ms_1_ver_prate", u"ms_1_ver_mouse_attribute",
          u"ms_1_ver_power_setting", u"ms_1_ver_brightness", u"ms_1_ver_breathspeed"})
        c.push_back({name, u"VerticalLayout"});
    for (const auto* name :
         {u"ms_1_hor_button", u"ms_1_hor_lift_of_distance", u"ms_1_hor_key_debounce",
          u"ms_1_hor_ripple_control", u"ms_1_hor_angle_snap", u"ms_1_hor_light_color"})
        c.push_back({name, u"HorizontalLayout"});
    for (const auto* name :
         {u"ms_1_wired", u"ms_1_wireless", u"ms_1_BLE", u"ms_1_label_prate",
          u"ms_1_label_light_off", u"ms_1_label_sleep_timer", u"ms_1_label_key_debounce",
          u"ms_1_label_power", u"ms_1_low_power_label", u"ms_1_sleep_label", u"apply_ring"})
        c.push_back({name, u"Label"});
    for (const auto* name :
         {u"ms_1_slider_brightness", u"ms_1_slider_breathspeed", u"ms_1_slider_light_off",
          u"ms_1_slider_sleep_timer", u"ms_1_slider_key_debounce"})
        c.push_back({name, u"Slider"});
    c.push_back({u"ms_1_combo_light", u"Combo"});
    c.push_back({u"ms_1_combo_light_ble", u"Combo"});
    c.push_back({u"ms_1_list_profile", u"List"});
    c.push_back({u"ms_1_progress_power", u"Progress"});
    return c;
}

TEST(SkinControlsTest, MainWindowHoldsThePageInItsVirtualWindowAndItsOwnControlsOutside) {
    const SkinTree main = LoadSkin(u"main.xml");
    ExpectControls(main, PageControls(), u"MS_1_Page");
    // The window's own buttons must not be routed to the page, or they would do nothing.
    ExpectControls(main,
                   {{u"skin_btn", u"Button"},
                    {u"main_menu_btn", u"Button"},
                    {u"min_btn", u"Button"},
                    {u"exit_btn", u"Button"},
                    {u"apply_progress", u"Progress"},
                    {u"device_tab_switch", u"TabLayout"}},
                   u"");
    EXPECT_EQ(main.manager->GetInitSize().cx, 800);
    EXPECT_EQ(main.manager->GetInitSize().cy, 572);
}

TEST(SkinControlsTest, DialogsHoldTheirControls) {
    std::vector<Expected> colour = {{u"confirm_btn", u"Button"},
                                    {u"cancel_btn", u"Button"},
                                    {u"color_show_control", u"Control"},
                                    {u"ColorPallet", u"ColorPalette"},
                                    {u"r_edit", u"Edit"},
                                    {u"g_edit", u"Edit"},
                                    {u"b_edit", u"Edit"}};
    AddNumbered(colour, u"mouse_dpi_color_", 16, u"Button");
    std::vector<Expected> shortcut = {{u"btn_ok", u"Button"},
                                      {u"btn_cancel", u"Button"},
                                      {u"btn_exit", u"Button"},
                                      {u"edit_key", u"Edit"}};
    AddNumbered(shortcut, u"check_flag_", 4, u"CheckBox");
    std::vector<Expected> select = {{u"btn_ok", u"Button"},
                                    {u"btn_cancel", u"Button"},
                                    {u"btn_exit", u"Button"},
                                    {u"list_macro", u"List"},
                                    {u"hor_loop_time", u"HorizontalLayout"},
                                    {u"edit_loop_time", u"Edit"}};
    AddNumbered(select, u"repeat_", 3, u"Option");
    std::vector<Expected> macro = {{u"btn_exit", u"Button"},
                                   {u"ms_1_macro_list", u"List"},
                                   {u"ms_1_macro_name_edit", u"Edit"},
                                   {u"ms_1_macro_add_btn", u"Button"},
                                   {u"ms_1_macro_delete_btn", u"Button"},
                                   {u"ms_1_macro_insert_mouse_btn", u"CheckBox"},
                                   {u"ms_1_macro_record_btn", u"CheckBox"},
                                   {u"ms_1_macro_action_list", u"List"},
                                   {u"ms_1_default_delay_edit", u"Edit"},
                                   {u"ms_1_macro_up_btn", u"Button"},
                                   {u"ms_1_macro_down_btn", u"Button"},
                                   {u"ms_1_macro_delete_action_btn", u"Button"},
                                   {u"ms_1_macro_clear_action_btn", u"Button"},
                                   {u"ms_1_macro_action_edit_check", u"CheckBox"},
                                   {u"ms_1_macro_action_edit_tab", u"TabLayout"},
                                   {u"ms_1_macro_action_edit", u"Edit"},
                                   {u"ms_1_macro_delay_edit", u"Edit"},
                                   {u"ms_1_macro_mouse_action_combo", u"Combo"},
                                   {u"ms_1_macro_mouseaction_delay_edit", u"Edit"},
                                   {u"ms_1_macro_save_btn", u"Button"},
                                   {u"ms_1_macro_cancel_btn", u"Button"},
                                   {u"ms_1_macro_import_btn", u"Button"},
                                   {u"ms_1_macro_export_btn", u"Button"},
                                   {u"ms_1_macro_name_tab", u"HorizontalLayout"},
                                   {u"ms_1_macro_mouse_event_tab", u"HorizontalLayout"}};
    AddNumbered(macro, u"ms_1_macro_key", 5, u"Button", u"_btn");
    // The delay modes are buttons to the editor; options show which one is chosen.
    for (const auto* name :
         {u"ms_1_record_delay_btn", u"ms_1_default_delay_btn", u"ms_1_no_delay_btn"})
        macro.push_back({name, u"Option"});

    const struct {
        std::u16string_view file;
        std::vector<Expected> controls;
    } dialogs[] = {
        {u"msg.xml",
         {{u"btn_ok", u"Button"},
          {u"btn_cancel", u"Button"},
          {u"warning_title", u"Label"},
          {u"warning", u"Label"}}},
        {u"DPImsg.xml", {{u"dpi_label", u"Label"}}},
        {u"DpiColorDialog.xml", colour},
        {u"shortcut.xml", shortcut},
        {u"MS/MS_1/selectmacro.xml", select},
        {u"MS/MS_1/profilename.xml",
         {{u"btn_ok", u"Button"},
          {u"btn_cancel", u"Button"},
          {u"btn_exit", u"Button"},
          {u"title_string", u"Label"},
          {u"edit_name", u"Edit"}}},
        {u"MS/MS_1/ms_1_macropage.xml", macro},
        {u"keylistitem.xml", {{u"key", u"Label"}, {u"action", u"Label"}, {u"delay", u"Label"}}},
        {u"traymenu.xml", {{u"configuration", u"MenuElement"}, {u"exit", u"MenuElement"}}},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(Utf8(d.file));
        ExpectControls(LoadSkin(d.file), d.controls, u"");
    }
}

TEST(SkinControlsTest, ThePlacedPopupsAreSizedAsTheyPlaceThemselves) {
    // The colour dialog and the DPI popup move and size themselves; a skin of another size
    // would be cut off or leave a blank margin.
    const SkinTree colour = LoadSkin(u"DpiColorDialog.xml");
    EXPECT_EQ(colour.manager->GetInitSize().cx, 250);
    EXPECT_EQ(colour.manager->GetInitSize().cy, 200);
    const SkinTree popup = LoadSkin(u"DPImsg.xml");
    EXPECT_EQ(popup.manager->GetInitSize().cx, 200);
    EXPECT_EQ(popup.manager->GetInitSize().cy, 50);
}

struct Range {
    int min;
    int max;
};

Range SliderRange(const SkinTree& tree, std::u16string_view name) {
    auto* slider = dynamic_cast<CSliderUI*>(tree.Find(name));
    if (slider == nullptr) {
        ADD_FAILURE() << "no slider " << Utf8(name);
        return {0, -1};
    }
    return {slider->GetMinValue(), slider->GetMaxValue()};
}

TEST(SkinControlsTest, SliderRangesFitWhatTheMouseIsSent) {
    const SkinTree main = LoadSkin(u"main.xml");
    // The slider value is the DPI code: 1..220 is 50..12000 DPI.
    for (int s = 1; s <= 8; ++s) {
        const Range dpi = SliderRange(main, Numbered(u"ms_1_slider_dpi_", s));
        EXPECT_EQ(dpi.min, 1) << s;
        EXPECT_EQ(dpi.max, 220) << s;
    }
    // Brightness fills the low nibble of its byte; speed is sent as 9 - speed in a nibble.
    const Range brightness = SliderRange(main, u"ms_1_slider_brightness");
    EXPECT_GE(brightness.min, 0);
    EXPECT_LE(brightness.max, 15);
    const Range speed = SliderRange(main, u"ms_1_slider_breathspeed");
    EXPECT_GE(speed.min, 0);
    EXPECT_LE(speed.max, 9);
    // Sleep, light-off and debounce are one byte each.
    for (const auto* name :
         {u"ms_1_slider_sleep_timer", u"ms_1_slider_light_off", u"ms_1_slider_key_debounce"}) {
        const Range r = SliderRange(main, name);
        EXPECT_GE(r.min, 1) << Utf8(name);
        EXPECT_LE(r.max, 255) << Utf8(name);
        EXPECT_LT(r.min, r.max) << Utf8(name);
    }
}

TEST(SkinControlsTest, BothLightModeListsOfferTheTwelveEffects) {
    const SkinTree main = LoadSkin(u"main.xml");
    for (const auto* name : {u"ms_1_combo_light", u"ms_1_combo_light_ble"}) {
        auto* combo = dynamic_cast<CComboUI*>(main.Find(name));
        ASSERT_NE(combo, nullptr) << Utf8(name);
        // Item index is the effect number the mouse is sent, so the order is fixed.
        ASSERT_EQ(combo->GetCount(), 12) << Utf8(name);
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(Utf8(combo->GetItemAt(i)->GetText()),
                      Utf8(Numbered(u"light_mode_", i) + u"_text"));
        }
    }
}

std::u16string GroupOf(const SkinTree& tree, std::u16string_view name) {
    auto* option = dynamic_cast<COptionUI*>(tree.Find(name));
    return option ? option->GetGroup() : u"<no option>";
}

TEST(SkinControlsTest, EachChoiceIsOneGroupOfItsOwn) {
    const SkinTree main = LoadSkin(u"main.xml");
    const std::pair<const char16_t*, int> groups[] = {{u"ms_1_option_dpi_step_", 8},
                                                      {u"ms_1_btn_prate_", 4},
                                                      {u"ms_1_option_lift_of_distance_", 2},
                                                      {u"ms_1_option_ripple_control_", 2},
                                                      {u"ms_1_option_angle_snap_", 2}};
    std::vector<std::u16string> seen;
    for (const auto& [head, count] : groups) {
        const std::u16string group = GroupOf(main, Numbered(head, 1));
        EXPECT_FALSE(group.empty()) << Utf8(head);
        for (int i = 2; i <= count; ++i) {
            EXPECT_EQ(Utf8(GroupOf(main, Numbered(head, i))), Utf8(group)) << Utf8(head) << i;
        }
        for (const auto& other : seen) EXPECT_NE(Utf8(other), Utf8(group));
        seen.push_back(group);
    }
    const SkinTree select = LoadSkin(u"MS/MS_1/selectmacro.xml");
    EXPECT_FALSE(GroupOf(select, u"repeat_1").empty());
    EXPECT_EQ(GroupOf(select, u"repeat_2"), GroupOf(select, u"repeat_1"));
    EXPECT_EQ(GroupOf(select, u"repeat_3"), GroupOf(select, u"repeat_1"));
}

TEST(SkinControlsTest, SectionsStartAsTheirCheckBoxesSay) {
    // A section check box toggles its section; a box and section out of step at start would
    // invert the box for the user.
    const SkinTree main = LoadSkin(u"main.xml");
    for (const auto& [check, section] : kMainSections) {
        auto* box = dynamic_cast<CCheckBoxUI*>(main.Find(check));
        CControlUI* area = main.Find(section);
        ASSERT_TRUE(box != nullptr && area != nullptr) << Utf8(check);
        EXPECT_EQ(box->GetCheck(), area->IsVisible()) << Utf8(check);
    }
    // The lighting area starts hidden.
    EXPECT_FALSE(main.Find(u"ms_1_ver_light")->IsVisible());
}

}  // namespace
}  // namespace nimba::test
