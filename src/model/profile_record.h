#pragma once

#include <cstddef>
#include <cstdint>

#include "model/macro_action.h"

namespace nimba {

// Bytes R, G, B, 0: the layout of every colour field of a profile.
struct Colour {
    uint8_t r;
    uint8_t g;
    uint8_t b;
    uint8_t zero;
};
static_assert(sizeof(Colour) == 4);

// One button's slot of a profile (1272 bytes). The macro fields are a copy of the
// assigned macro and mean something only while `function` is 17.
struct ButtonAssignment {
    uint8_t index;     // button number 0..17
    uint8_t function;  // function code
    uint8_t reserved_2;
    uint8_t shortcut_key;        // HID usage of a key combination (code 16)
    uint8_t reserved_4[3];       // zeroed together with shortcut_key
    uint8_t shortcut_modifiers;  // bit 0 Ctrl, 1 Shift, 2 Alt, 3 Win
    uint16_t spare_word;         // 562 on creation
    uint8_t reserved_10[2];
    int32_t macro_loop_mode;
    char16_t macro_name[24];
    int32_t macro_loop_count;  // 0 is sent as 1
    uint16_t macro_action_count;
    uint8_t reserved_70[1002];
    int32_t macro_index;    // position in the macro list, -1 = none
    int32_t reserved_1076;  // -1 on creation
    uint8_t reserved_1080[4];
    uint8_t macro_spare;
    uint8_t reserved_1085[3];
    MacroAction macro_actions[kMaxMacroActions];
};
static_assert(sizeof(ButtonAssignment) == 1272);
static_assert(offsetof(ButtonAssignment, index) == 0);
static_assert(offsetof(ButtonAssignment, function) == 1);
static_assert(offsetof(ButtonAssignment, reserved_2) == 2);
static_assert(offsetof(ButtonAssignment, shortcut_key) == 3);
static_assert(offsetof(ButtonAssignment, reserved_4) == 4);
static_assert(offsetof(ButtonAssignment, shortcut_modifiers) == 7);
static_assert(offsetof(ButtonAssignment, spare_word) == 8);
static_assert(offsetof(ButtonAssignment, reserved_10) == 10);
static_assert(offsetof(ButtonAssignment, macro_loop_mode) == 12);
static_assert(offsetof(ButtonAssignment, macro_name) == 16);
static_assert(offsetof(ButtonAssignment, macro_loop_count) == 64);
static_assert(offsetof(ButtonAssignment, macro_action_count) == 68);
static_assert(offsetof(ButtonAssignment, reserved_70) == 70);
static_assert(offsetof(ButtonAssignment, macro_index) == 1072);
static_assert(offsetof(ButtonAssignment, reserved_1076) == 1076);
static_assert(offsetof(ButtonAssignment, reserved_1080) == 1080);
static_assert(offsetof(ButtonAssignment, macro_spare) == 1084);
static_assert(offsetof(ButtonAssignment, macro_actions) == 1088);

inline constexpr int kDpiStages = 8;
inline constexpr int kButtonCount = 18;  // slots 18..23 stay zero
inline constexpr int kButtonSlots = 24;

// One profile (32992 bytes), little-endian. The same bytes are held in memory, stored in
// the profile store after its header and written whole as a profile file, so every
// offset below is a file format.
struct ProfileRecord {
    char16_t name[100];  // UTF-16LE, NUL-terminated
    char16_t note_1[500];
    char16_t note_2[500];
    int32_t spare_a;
    int32_t spare_b;
    uint8_t spare_c;
    uint8_t reserved_2209[3];
    int32_t spare_d;
    uint8_t reserved_2216[8];
    int32_t sensor_spare_1;
    int32_t lift_off_distance;  // 0 or 1
    int32_t sensor_spare_2;
    uint8_t reserved_2236[8];
    int32_t dpi_x[kDpiStages];  // DPI code per stage, 0 = stage not in use
    int32_t dpi_y[kDpiStages];
    int32_t dpi_stage_enabled[kDpiStages];
    int32_t light_brightness;
    int32_t light_speed;
    int32_t sleep_timer;
    int32_t light_off_timer;    // half units
    int32_t current_dpi_stage;  // 0..7
    int32_t report_rate;        // 0..3
    int32_t motion_mode;
    int32_t ripple_control;  // 0 or 1
    int32_t angle_snap;      // 0 or 1
    int32_t spare_e;
    int32_t light_mode;      // wired and 2.4 GHz links
    int32_t light_mode_ble;  // Bluetooth LE link
    uint8_t spare_f;
    uint8_t reserved_2389[3];
    int32_t key_debounce;  // shown as value x 2 ms
    Colour light_color;
    Colour dpi_color[kDpiStages];
    Colour spare_colors[kDpiStages];
    ButtonAssignment buttons[kButtonSlots];
};
static_assert(sizeof(ProfileRecord) == 32992);
static_assert(offsetof(ProfileRecord, name) == 0);
static_assert(offsetof(ProfileRecord, note_1) == 200);
static_assert(offsetof(ProfileRecord, note_2) == 1200);
static_assert(offsetof(ProfileRecord, spare_a) == 2200);
static_assert(offsetof(ProfileRecord, spare_b) == 2204);
static_assert(offsetof(ProfileRecord, spare_c) == 2208);
static_assert(offsetof(ProfileRecord, spare_d) == 2212);
static_assert(offsetof(ProfileRecord, reserved_2216) == 2216);
static_assert(offsetof(ProfileRecord, sensor_spare_1) == 2224);
static_assert(offsetof(ProfileRecord, lift_off_distance) == 2228);
static_assert(offsetof(ProfileRecord, sensor_spare_2) == 2232);
static_assert(offsetof(ProfileRecord, reserved_2236) == 2236);
static_assert(offsetof(ProfileRecord, dpi_x) == 2244);
static_assert(offsetof(ProfileRecord, dpi_y) == 2276);
static_assert(offsetof(ProfileRecord, dpi_stage_enabled) == 2308);
static_assert(offsetof(ProfileRecord, light_brightness) == 2340);
static_assert(offsetof(ProfileRecord, light_speed) == 2344);
static_assert(offsetof(ProfileRecord, sleep_timer) == 2348);
static_assert(offsetof(ProfileRecord, light_off_timer) == 2352);
static_assert(offsetof(ProfileRecord, current_dpi_stage) == 2356);
static_assert(offsetof(ProfileRecord, report_rate) == 2360);
static_assert(offsetof(ProfileRecord, motion_mode) == 2364);
static_assert(offsetof(ProfileRecord, ripple_control) == 2368);
static_assert(offsetof(ProfileRecord, angle_snap) == 2372);
static_assert(offsetof(ProfileRecord, spare_e) == 2376);
static_assert(offsetof(ProfileRecord, light_mode) == 2380);
static_assert(offsetof(ProfileRecord, light_mode_ble) == 2384);
static_assert(offsetof(ProfileRecord, spare_f) == 2388);
static_assert(offsetof(ProfileRecord, key_debounce) == 2392);
static_assert(offsetof(ProfileRecord, light_color) == 2396);
static_assert(offsetof(ProfileRecord, dpi_color) == 2400);
static_assert(offsetof(ProfileRecord, spare_colors) == 2432);
static_assert(offsetof(ProfileRecord, buttons) == 2464);

}  // namespace nimba
