#include "model/button_functions.h"

#include <algorithm>

#include "model/utf16.h"

namespace nimba {

namespace {

constexpr ButtonFunction kTable[] = {
    {0, u"ms_1_button_off", u"button_off_text", {0x01, 0x00, 0x00}},
    {1, u"ms_1_click", u"left_click_text", {0x02, 0x00, 0x00}},
    {2, u"ms_1_menu", u"right_click_text", {0x03, 0x00, 0x00}},
    {3, u"ms_1_scroll", u"wheel_click_text", {0x04, 0x00, 0x00}},
    {4, u"ms_1_forward", u"forward_text", {0x06, 0x00, 0x00}},
    {5, u"ms_1_backward", u"backward_text", {0x05, 0x00, 0x00}},
    {6, u"ms_1_dpi_cycle", u"dpi_cycle_text", {0x0D, 0x00, 0x00}},
    {7, u"ms_1_dpi_up", u"dpi_up_text", {0x0E, 0x00, 0x00}},
    {8, u"ms_1_dpi_down", u"dpi_down_text", {0x0F, 0x00, 0x00}},
    {9, u"ms_1_double_click", u"double_click_text", {0x07, 0x00, 0x00}},
    {10, u"ms_1_fire_button", u"fire_button_text", {0x08, 0x00, 0x00}},
    {11, u"ms_1_scroll_up", u"scroll_up_text", {0x09, 0x00, 0x00}},
    {12, u"ms_1_scroll_down", u"scroll_down_text", {0x0A, 0x00, 0x00}},
    {13, u"ms_1_titl_left", u"titl_left_text", {0x0B, 0x00, 0x00}},
    {14, u"ms_1_titl_right", u"titl_right_text", {0x0C, 0x00, 0x00}},
    // b1 and b2 of these two come from the button itself.
    {16, u"ms_1_shortcut", u"", {0x11, 0x00, 0x00}},
    {17, u"ms_1_select_macro", u"", {0x12, 0x00, 0x00}},
    {19, u"", u"", {0x13, 0x00, 0x00}},
    {21, u"", u"", {0x2B, 0x00, 0x00}},
    {22, u"ms_1_easy_aim", u"easy_aim_text", {0x10, 0x00, 0x03}},
    {23, u"ms_1_led_loop", u"led_loop_text", {0x29, 0x00, 0x03}},
    // Editing functions travel as key combinations: b1 modifier bits, b2 HID usage.
    {32, u"ms_1_cut", u"cut_text", {0x11, 0x01, 0x1B}},
    {33, u"ms_1_copy", u"copy_text", {0x11, 0x01, 0x06}},
    {34, u"ms_1_paste", u"paste_text", {0x11, 0x01, 0x19}},
    {35, u"ms_1_open", u"open_text", {0x11, 0x01, 0x12}},
    {36, u"ms_1_save", u"save_text", {0x11, 0x01, 0x16}},
    {37, u"ms_1_find", u"find_text", {0x11, 0x01, 0x09}},
    {38, u"ms_1_redo", u"redo_text", {0x11, 0x01, 0x1C}},
    {39, u"", u"undo_text", {0x11, 0x01, 0x1D}},
    {40, u"ms_1_select_all", u"select_all_text", {0x11, 0x01, 0x04}},
    {41, u"ms_1_print", u"print_text", {0x11, 0x01, 0x13}},
    {42, u"ms_1_close_window", u"close_window_text", {0x11, 0x04, 0x3D}},
    {43, u"ms_1_swap_windows", u"swap_windows_text", {0x11, 0x04, 0x2B}},
    {44, u"ms_1_show_desktop", u"show_desktop_text", {0x11, 0x08, 0x07}},
    {45, u"ms_1_run_command", u"run_command_text", {0x11, 0x08, 0x15}},
    {46, u"ms_1_lock_pc", u"lock_pc_text", {0x11, 0x08, 0x0F}},
    {47, u"", u"", {0x11, 0x01, 0x11}},
    {48, u"", u"", {0x11, 0x01, 0x2E}},
    {49, u"", u"", {0x11, 0x01, 0x2D}},
    {50, u"ms_1_screen_capture", u"screen_capture_text", {0x11, 0x0A, 0x16}},
    // Has a label but nothing the mouse understands.
    {51, u"", u"task_view_text", {0x00, 0x00, 0x00}},
    {54, u"", u"profile_cycle_text", {0x34, 0x00, 0x00}},
    {55, u"", u"profile_up_text", {0x35, 0x00, 0x00}},
    {56, u"", u"profile_down_text", {0x36, 0x00, 0x00}},
    {64, u"ms_1_media_player", u"media_player_text", {0x15, 0x00, 0x00}},
    {65, u"ms_1_play_pause", u"play_pause_text", {0x18, 0x00, 0x00}},
    {66, u"ms_1_media_stop", u"media_stop_text", {0x19, 0x00, 0x00}},
    {67, u"ms_1_pre_track", u"previous_track_text", {0x16, 0x00, 0x00}},
    {68, u"ms_1_next_track", u"next_track_text", {0x17, 0x00, 0x00}},
    {69, u"ms_1_volume_up", u"volume_up_text", {0x1B, 0x00, 0x00}},
    {70, u"ms_1_volume_down", u"volume_down_text", {0x1C, 0x00, 0x00}},
    {71, u"ms_1_mute", u"mute_text", {0x1A, 0x00, 0x00}},
    {80, u"ms_1_browser_home", u"browser_home_text", {0x25, 0x00, 0x00}},
    {81, u"ms_1_browser_favorites", u"browser_favorites_text", {0x11, 0x03, 0x12}},
    {82, u"ms_1_browser_forward", u"browser_forward_text", {0x20, 0x00, 0x00}},
    {83, u"ms_1_browser_backward", u"browser_backward_text", {0x21, 0x00, 0x00}},
    {84, u"ms_1_browser_stop", u"browser_stop_text", {0x22, 0x00, 0x00}},
    {85, u"ms_1_browser_refresh", u"browser_refresh_text", {0x24, 0x00, 0x00}},
    {86, u"ms_1_browser_search", u"browser_search_text", {0x26, 0x00, 0x00}},
    {87, u"ms_1_email", u"email_text", {0x1E, 0x00, 0x00}},
    {88, u"ms_1_calculator", u"calculator_text", {0x1D, 0x00, 0x00}},
    {89, u"ms_1_my_computer", u"my_computer_text", {0x23, 0x00, 0x00}},
    {115, u"", u"", {0x14, 0x00, 0x00}},
    {121, u"", u"", {0x3C, 0x00, 0x00}},
};

// The order menu names are matched in: the first match wins.
constexpr uint8_t kMenuMatchOrder[] = {
    1,  2,  3,  4,  5,  9,  10, 22, 23, 16, 17, 11, 12, 14, 13, 0,  6,  7,
    8,  64, 65, 66, 67, 68, 69, 70, 71, 80, 81, 82, 83, 84, 85, 86, 87, 88,
    89, 32, 33, 34, 35, 36, 37, 38, 40, 41, 42, 43, 44, 45, 46, 50,
};

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(
        a, b, [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// Literal label of a key combination: each modifier's text and "+", then the key name.
std::u16string ShortcutLabel(uint8_t modifiers, const TextLookup& text,
                             std::u16string_view key_name) {
    static constexpr std::u16string_view kModifierKeys[] = {
        u"keyboard_ctrl_text", u"keyboard_shift_text", u"keyboard_alt_text", u"keyboard_win_text"};
    std::u16string label;
    for (int bit = 0; bit < 4; ++bit) {
        if (modifiers & (1u << bit)) label += text(kModifierKeys[bit]) + u"+";
    }
    label += key_name;
    return label;
}

}  // namespace

std::span<const ButtonFunction> ButtonFunctionTable() {
    return kTable;
}

const ButtonFunction* FindButtonFunction(uint8_t code) {
    const auto* row = std::ranges::find(kTable, code, &ButtonFunction::code);
    return row == std::end(kTable) ? nullptr : row;
}

uint8_t FunctionFromMenuName(std::u16string_view item_name) {
    for (uint8_t code : kMenuMatchOrder) {
        if (EqualsIgnoringCase(FindButtonFunction(code)->menu_option, item_name)) return code;
    }
    return kFunctionLeftClick;
}

bool KeepsALeftClick(const ProfileRecord& profile, int slot, uint8_t function) {
    constexpr int kLeftClickRuleButtons = 16;
    for (int i = 0; i < kLeftClickRuleButtons; ++i) {
        if ((i == slot ? function : profile.buttons[i].function) == kFunctionLeftClick) return true;
    }
    return false;
}

DeviceBytesValue DeviceBytes(const ButtonAssignment& button, int slot) {
    const ButtonFunction* row = FindButtonFunction(button.function);
    DeviceBytesValue bytes = row ? row->device_bytes : DeviceBytesValue{0, 0, 0};
    if (button.function == kFunctionShortcut) {
        bytes[1] = button.shortcut_modifiers;
        bytes[2] = button.shortcut_key;
    } else if (button.function == kFunctionMacro) {
        bytes[1] = 0;
        bytes[2] = static_cast<uint8_t>(slot + 1);
    }
    return bytes;
}

ButtonLabelText ButtonLabel(const ButtonAssignment& button, const TextLookup& text,
                            std::u16string_view key_name) {
    if (button.function == kFunctionShortcut) {
        return {ShortcutLabel(button.shortcut_modifiers, text, key_name), false};
    }
    if (button.function == kFunctionMacro) {
        return {text(u"assign_macro_text") + std::u16string(NameView(button.macro_name)), false};
    }
    const ButtonFunction* row = FindButtonFunction(button.function);
    if (!row || row->label_key.empty()) return {std::u16string(), false};
    return {std::u16string(row->label_key), true};
}

}  // namespace nimba
