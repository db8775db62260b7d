// Every window finds its controls by name in its skin file; a missing or mistyped name is
// a null control that the window never reports. These tests hold the names each window
// binds, with the kind it expects, per skin file.

#include <gtest/gtest.h>

#include <QSize>
#include <string>
#include <tuple>
#include <vector>

#include "model/setting_ranges.h"
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
using Controls = std::vector<Expected>;

void ExpectControls(const SkinTree& tree, const Controls& expected,
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

void Add(Controls& list, std::u16string_view kind, std::initializer_list<const char16_t*> names) {
    for (const auto* name : names) list.push_back({name, std::u16string(kind)});
}

// head1 .. head<count>, each followed by tail.
void AddNumbered(Controls& list, std::u16string_view head, int count, std::u16string_view kind,
                 std::u16string_view tail = u"") {
    for (int i = 1; i <= count; ++i)
        list.push_back({Numbered(head, i) + std::u16string(tail), std::u16string(kind)});
}

Controls PageControls() {
    Controls c;
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
    Add(c, u"Button",
        {u"ms_1_btn_macro", u"ms_1_profile_add_btn", u"ms_1_profile_delete_btn",
         u"ms_1_profile_rename_btn", u"ms_1_profile_import_btn", u"ms_1_profile_export_btn",
         u"ms_1_profile_reset_btn", u"ms_1_btn_apply_dpi", u"ms_1_btn_reset_dpi",
         u"ms_1_btn_light_color", u"ms_1_btn_mouse_attribute", u"ms_1_apply_btn",
         u"ms_1_btn_reset"});
    for (const auto& [check, section] : kMainSections) Add(c, u"CheckBox", {check});
    Add(c, u"CheckBox", {u"ms_1_check_movemode"});
    Add(c, u"VerticalLayout",
        {u"ms_1_ver_profile", u"ms_1_ver_power", u"ms_1_ver_setting", u"ms_1_ver_dpi",
         u"ms_1_ver_light", u"ms_1_ver_prate", u"ms_1_ver_mouse_attribute",
         u"ms_1_ver_power_setting", u"ms_1_ver_brightness", u"ms_1_ver_breathspeed"});
    Add(c, u"HorizontalLayout",
        {u"ms_1_hor_button", u"ms_1_hor_lift_of_distance", u"ms_1_hor_key_debounce",
         u"ms_1_hor_ripple_control", u"ms_1_hor_angle_snap", u"ms_1_hor_light_color",
         u"ms_1_hor_light_mode", u"ms_1_hor_light_mode_ble"});
    Add(c, u"Label",
        {u"ms_1_wired", u"ms_1_wireless", u"ms_1_BLE", u"ms_1_label_prate", u"ms_1_label_light_off",
         u"ms_1_label_sleep_timer", u"ms_1_label_key_debounce", u"ms_1_label_power",
         u"ms_1_low_power_label", u"ms_1_sleep_label", u"apply_ring"});
    Add(c, u"Slider",
        {u"ms_1_slider_brightness", u"ms_1_slider_breathspeed", u"ms_1_slider_light_off",
         u"ms_1_slider_sleep_timer", u"ms_1_slider_key_debounce"});
    Add(c, u"Combo", {u"ms_1_combo_light", u"ms_1_combo_light_ble"});
    Add(c, u"List", {u"ms_1_list_profile"});
    Add(c, u"Progress", {u"ms_1_progress_power"});
    return c;
}

TEST(SkinControlsTest, MainWindowHoldsThePageInItsVirtualWindowAndItsOwnControlsOutside) {
    const SkinTree main = LoadSkin(u"main.xml");
    ExpectControls(main, PageControls(), u"MS_1_Page");
    // The window's own buttons must not be routed to the page, or they would do nothing.
    Controls own;
    Add(own, u"Button", {u"skin_btn", u"main_menu_btn", u"min_btn", u"exit_btn"});
    Add(own, u"Progress", {u"apply_progress"});
    Add(own, u"TabLayout", {u"device_tab_switch"});
    ExpectControls(main, own, u"");
}

TEST(SkinControlsTest, DialogsHoldTheirControls) {
    Controls msg, colour, shortcut, select, name, macro, row, tray;
    Add(msg, u"Button", {u"btn_ok", u"btn_cancel"});
    Add(msg, u"Label", {u"warning_title", u"warning"});
    Add(colour, u"Button", {u"confirm_btn", u"cancel_btn"});
    Add(colour, u"Control", {u"color_show_control"});
    Add(colour, u"ColorPalette", {u"ColorPallet"});
    Add(colour, u"Edit", {u"r_edit", u"g_edit", u"b_edit"});
    AddNumbered(colour, u"mouse_dpi_color_", 16, u"Button");
    for (Controls* dialog : {&shortcut, &select, &name})
        Add(*dialog, u"Button", {u"btn_ok", u"btn_cancel", u"btn_exit"});
    Add(shortcut, u"Edit", {u"edit_key"});
    AddNumbered(shortcut, u"check_flag_", 4, u"CheckBox");
    Add(select, u"List", {u"list_macro"});
    Add(select, u"HorizontalLayout", {u"hor_loop_time"});
    Add(select, u"Edit", {u"edit_loop_time"});
    AddNumbered(select, u"repeat_", 3, u"Option");
    Add(name, u"Label", {u"title_string"});
    Add(name, u"Edit", {u"edit_name"});
    Add(macro, u"Button",
        {u"btn_exit", u"ms_1_macro_add_btn", u"ms_1_macro_delete_btn", u"ms_1_macro_up_btn",
         u"ms_1_macro_down_btn", u"ms_1_macro_delete_action_btn", u"ms_1_macro_clear_action_btn",
         u"ms_1_macro_save_btn", u"ms_1_macro_cancel_btn", u"ms_1_macro_import_btn",
         u"ms_1_macro_export_btn"});
    AddNumbered(macro, u"ms_1_macro_key", 5, u"Button", u"_btn");
    Add(macro, u"List", {u"ms_1_macro_list", u"ms_1_macro_action_list"});
    Add(macro, u"Edit",
        {u"ms_1_macro_name_edit", u"ms_1_default_delay_edit", u"ms_1_macro_action_edit",
         u"ms_1_macro_delay_edit", u"ms_1_macro_mouseaction_delay_edit"});
    Add(macro, u"CheckBox",
        {u"ms_1_macro_insert_mouse_btn", u"ms_1_macro_record_btn",
         u"ms_1_macro_action_edit_check"});
    Add(macro, u"TabLayout", {u"ms_1_macro_action_edit_tab"});
    Add(macro, u"Combo", {u"ms_1_macro_mouse_action_combo"});
    Add(macro, u"HorizontalLayout", {u"ms_1_macro_name_tab", u"ms_1_macro_mouse_event_tab"});
    // The delay modes are buttons to the editor; options show which one is chosen.
    Add(macro, u"Option",
        {u"ms_1_record_delay_btn", u"ms_1_default_delay_btn", u"ms_1_no_delay_btn"});
    Add(row, u"Label", {u"key", u"action", u"delay"});
    Add(tray, u"MenuElement", {u"configuration", u"exit"});

    const std::pair<std::u16string_view, Controls> dialogs[] = {
        {u"msg.xml", msg},
        {u"DPImsg.xml", {{u"dpi_label", u"Label"}}},
        {u"DpiColorDialog.xml", colour},
        {u"shortcut.xml", shortcut},
        {u"MS/MS_1/selectmacro.xml", select},
        {u"MS/MS_1/profilename.xml", name},
        {u"MS/MS_1/ms_1_macropage.xml", macro},
        {u"keylistitem.xml", row},
        {u"traymenu.xml", tray}};
    for (const auto& [file, controls] : dialogs) {
        SCOPED_TRACE(Utf8(file));
        ExpectControls(LoadSkin(file), controls, u"");
    }
}

TEST(SkinControlsTest, WindowsAreSizedAsTheirCodePlacesThem) {
    // The colour dialog and the DPI popup move and size themselves; a skin of another size
    // would be cut off or leave a blank margin.
    const std::tuple<const char16_t*, int, int> sizes[] = {
        {u"main.xml", 800, 572}, {u"DpiColorDialog.xml", 250, 200}, {u"DPImsg.xml", 200, 50}};
    for (const auto& [file, width, height] : sizes) {
        const SIZE size = LoadSkin(file).manager->GetInitSize();
        EXPECT_EQ(QSize(size.cx, size.cy), QSize(width, height)) << Utf8(file);
    }
}

TEST(SkinControlsTest, SliderRangesAreTheSettingsRanges) {
    const SkinTree main = LoadSkin(u"main.xml");
    auto range = [&](std::u16string_view name) {
        auto* slider = dynamic_cast<CSliderUI*>(main.Find(name));
        EXPECT_NE(slider, nullptr) << Utf8(name);
        return slider ? std::pair(slider->GetMinValue(), slider->GetMaxValue()) : std::pair(0, -1);
    };
    std::vector<std::pair<std::u16string, SettingRange>> sliders = {
        {u"ms_1_slider_brightness", kBrightnessRange},
        {u"ms_1_slider_breathspeed", kSpeedRange},
        {u"ms_1_slider_sleep_timer", kSleepMinutesRange},
        {u"ms_1_slider_light_off", kLightOffHalvesRange},
        {u"ms_1_slider_key_debounce", kDebounceStepsRange}};
    for (int s = 1; s <= 8; ++s)
        sliders.emplace_back(Numbered(u"ms_1_slider_dpi_", s), kDpiCodeRange);
    for (const auto& [name, expected] : sliders) {
        EXPECT_EQ(range(name), std::pair(expected.min, expected.max)) << Utf8(name);
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

TEST(SkinControlsTest, EachChoiceIsOneGroupOfItsOwn) {
    const SkinTree main = LoadSkin(u"main.xml");
    const SkinTree select = LoadSkin(u"MS/MS_1/selectmacro.xml");
    const std::tuple<const SkinTree*, const char16_t*, int> groups[] = {
        {&main, u"ms_1_option_dpi_step_", 8},         {&main, u"ms_1_btn_prate_", 4},
        {&main, u"ms_1_option_lift_of_distance_", 2}, {&main, u"ms_1_option_ripple_control_", 2},
        {&main, u"ms_1_option_angle_snap_", 2},       {&select, u"repeat_", 3}};
    std::vector<std::string> seen;
    for (const auto& [tree, head, count] : groups) {
        auto group = [&](int i) {
            auto* option = dynamic_cast<COptionUI*>(tree->Find(Numbered(head, i)));
            return option ? Utf8(option->GetGroup()) : "<no option>";
        };
        EXPECT_FALSE(group(1).empty()) << Utf8(head);
        for (int i = 2; i <= count; ++i) EXPECT_EQ(group(i), group(1)) << Utf8(head) << i;
        for (const auto& other : seen) EXPECT_NE(other, group(1)) << Utf8(head);
        seen.push_back(group(1));
    }
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
    EXPECT_FALSE(main.Find(u"ms_1_ver_light")->IsVisible());  // the lighting area starts hidden
}

}  // namespace
}  // namespace nimba::test
