#include "model/profile_defaults.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "model/button_functions.h"
#include "model/utf16.h"

namespace nimba {

namespace {

// 800, 1200, 2400, 3200, 5000 and 12000 DPI; the last two stages are off.
constexpr std::array<int32_t, kDpiStages> kDefaultDpiCodes = {16, 24, 48, 64, 100, 220, 0, 0};
constexpr std::array<int32_t, kDpiStages> kDefaultStageEnabled = {1, 1, 1, 1, 1, 1, 0, 0};
constexpr std::array<Colour, kDpiStages> kDefaultDpiColours = {{
    {0xFF, 0x00, 0x00, 0},
    {0x00, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0},
    {0xFF, 0xFF, 0x00, 0},
    {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0x00, 0xFF, 0},
    {0xFF, 0x40, 0x00, 0},
    {0xFF, 0xFF, 0xFF, 0},
}};
constexpr std::array<Colour, kDpiStages> kDefaultSpareColours = {{
    {0xFF, 0x00, 0x00, 0},
    {0x00, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0},
    {0xFF, 0x00, 0xFF, 0},
    {0xFF, 0xFF, 0x00, 0},
    {0xFF, 0xFF, 0xFF, 0},
    {0xFF, 0xFF, 0xFF, 0},
    {0xFF, 0x80, 0x00, 0},
}};
constexpr Colour kDefaultLightColour = {0x00, 0x00, 0xFF, 0};
constexpr int32_t kDefaultDpiStage = 1;
constexpr uint16_t kDefaultSpareWord = 562;

}  // namespace

void ResetDpiBlock(ProfileRecord& record) {
    record.current_dpi_stage = kDefaultDpiStage;
    for (int i = 0; i < kDpiStages; ++i) {
        record.dpi_x[i] = kDefaultDpiCodes[i];
        record.dpi_y[i] = kDefaultDpiCodes[i];
        record.dpi_color[i] = kDefaultDpiColours[i];
        record.dpi_stage_enabled[i] = kDefaultStageEnabled[i];
    }
}

void FillProfileDefaults(ProfileRecord& record) {
    std::fill(std::begin(record.note_1), std::end(record.note_1), u'\0');
    std::fill(std::begin(record.note_2), std::end(record.note_2), u'\0');
    record.lift_off_distance = 0;
    record.sensor_spare_2 = 0;
    record.sensor_spare_1 = 0;
    record.report_rate = 3;
    ResetDpiBlock(record);
    record.spare_c = 0;
    record.spare_b = 3;
    record.spare_a = 420;
    record.spare_d = 6;
    record.light_color = kDefaultLightColour;
    std::copy(kDefaultSpareColours.begin(), kDefaultSpareColours.end(), record.spare_colors);
    record.spare_f = 1;
    record.light_mode = 0;
    record.light_mode_ble = 3;
    record.light_brightness = 8;
    record.key_debounce = 4;
    record.light_speed = 6;
    record.sleep_timer = 10;
    record.light_off_timer = 1;
    record.ripple_control = 1;
    record.angle_snap = 0;
    record.spare_e = 1;
    // motion_mode is deliberately left as it is: a reset keeps the user's choice.

    std::fill(std::begin(record.buttons), std::end(record.buttons), ButtonAssignment{});
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonAssignment& button = record.buttons[i];
        button.index = static_cast<uint8_t>(i);
        button.function = kDefaultButtonFunctions[i];
        button.macro_index = -1;
        button.reserved_1076 = -1;
        button.spare_word = kDefaultSpareWord;
    }
}

std::unique_ptr<ProfileRecord> NewProfile(std::u16string_view name) {
    auto record = std::make_unique<ProfileRecord>();
    FillProfileDefaults(*record);
    CopyName(record->name, name);
    return record;
}

}  // namespace nimba
