#include "model/profile_defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "model/utf16.h"

namespace nimba {
namespace {

bool AllZero(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::all_of(bytes, bytes + size, [](uint8_t b) { return b == 0; });
}

TEST(NewProfile, HasTheDefaultSettings) {
    const auto profile = NewProfile(u"Game");
    EXPECT_EQ(NameView(profile->name), u"Game");
    EXPECT_TRUE(AllZero(profile->note_1, sizeof profile->note_1));
    EXPECT_TRUE(AllZero(profile->note_2, sizeof profile->note_2));

    for (int i = 0; i < kDpiStages; ++i) EXPECT_EQ(profile->dpi_y[i], profile->dpi_x[i]) << i;
    EXPECT_EQ(profile->light_mode_ble, 3);
    EXPECT_EQ(profile->spare_a, 420);
    EXPECT_EQ(profile->spare_d, 6);
    EXPECT_EQ(profile->motion_mode, 0);
    EXPECT_EQ(profile->spare_colors[7].g, 0x80);
}

TEST(NewProfile, ButtonSlotsHoldDefaultsUnusedSlotsAreZeroAndLongNamesAreCut) {
    const auto profile = NewProfile(std::u16string(150, u'x'));
    EXPECT_EQ(NameView(profile->name).size(), 99u);
    EXPECT_EQ(profile->name[99], u'\0');
    const uint8_t functions[] = {1, 2, 3, 6, 121, 6, 4, 5, 121, 0, 0, 0, 0, 0, 0, 0, 12, 11};
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonAssignment& b = profile->buttons[i];
        EXPECT_EQ(b.index, i);
        EXPECT_EQ(b.function, functions[i]);
        EXPECT_EQ(b.spare_word, 562);
        EXPECT_EQ(b.macro_index, -1);
        EXPECT_EQ(b.reserved_1076, -1);
        EXPECT_EQ(b.macro_action_count, 0);
    }
    for (int i = kButtonCount; i < kButtonSlots; ++i) {
        EXPECT_TRUE(AllZero(&profile->buttons[i], sizeof(ButtonAssignment))) << "slot " << i;
    }
}

TEST(FillProfileDefaults, RemovesAnAssignedMacroAndKeepsNameAndMotionMode) {
    auto profile = NewProfile(u"Keep me");
    ButtonAssignment& button = profile->buttons[2];
    button.function = 17;
    button.macro_index = 4;
    button.macro_action_count = 2;
    button.macro_actions[0] = {4, 1, 100};
    CopyName(button.macro_name, u"combo");
    profile->buttons[20].function = 9;  // garbage in an unused slot
    profile->motion_mode = 1;
    profile->dpi_x[0] = 99;

    FillProfileDefaults(*profile);

    const auto fresh = NewProfile(u"Keep me");
    fresh->motion_mode = 1;
    EXPECT_EQ(std::memcmp(profile.get(), fresh.get(), sizeof(ProfileRecord)), 0);
    EXPECT_EQ(profile->buttons[2].function, 3);
    EXPECT_EQ(profile->buttons[2].macro_index, -1);
}

}  // namespace
}  // namespace nimba
