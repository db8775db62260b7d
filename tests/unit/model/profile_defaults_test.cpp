#include "model/profile_defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "model/utf16.h"

namespace nimba {
namespace {

bool AllZero(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::all_of(bytes, bytes + size, [](uint8_t b) { return b == 0; });
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
    // Slots past the mouse's buttons are stored as zeros.
    EXPECT_TRUE(AllZero(&profile->buttons[kButtonCount],
                        sizeof(ButtonAssignment) * (kButtonSlots - kButtonCount)));
}

}  // namespace
}  // namespace nimba
