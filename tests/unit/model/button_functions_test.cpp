#include "model/button_functions.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

ButtonAssignment WithFunction(uint8_t code) {
    ButtonAssignment button{};
    button.function = code;
    return button;
}

std::u16string FakeText(std::u16string_view key) {
    return u"<" + std::u16string(key) + u">";
}

// Each menu item's own name is checked by the function menu test; here other letter cases, and
// anything else, which is left click.
TEST(FunctionFromMenuName, IgnoresCaseAndFallsBackToLeftClick) {
    EXPECT_EQ(FunctionFromMenuName(u"MS_1_COPY"), 33);
    for (auto name : {u"ms_1_undo", u"", u"ms_1_cop"}) EXPECT_EQ(FunctionFromMenuName(name), 1);
}

TEST(DeviceBytes, ComeFromTheTableOrTheButton) {
    for (uint8_t code : {51, 200})
        EXPECT_EQ(DeviceBytes(WithFunction(code), 0), DeviceBytesValue{});
    EXPECT_EQ(DeviceBytes(WithFunction(22), 0), (DeviceBytesValue{0x10, 0, 0x03}));
    EXPECT_EQ(DeviceBytes(WithFunction(50), 0), (DeviceBytesValue{0x11, 0x0A, 0x16}));

    ButtonAssignment macro = WithFunction(17);
    macro.shortcut_modifiers = 5;  // left over from an earlier key combination
    EXPECT_EQ(DeviceBytes(macro, 5), (DeviceBytesValue{0x12, 0, 6}));
}

TEST(ButtonLabel, EmptyWithoutALabelAndComposedForAKeyCombination) {
    for (uint8_t code : {121, 15, 47, 200}) {
        const auto empty = ButtonLabel(WithFunction(code), FakeText, u"");
        EXPECT_TRUE(empty.text.empty()) << int(code);
    }

    ButtonAssignment button = WithFunction(16);
    button.shortcut_modifiers = 0x0F;
    auto label = ButtonLabel(button, FakeText, u"A");
    EXPECT_EQ(label.text,
              u"<keyboard_ctrl_text>+<keyboard_shift_text>+<keyboard_alt_text>+"
              u"<keyboard_win_text>+A");
    EXPECT_FALSE(label.is_language_key);

    button.shortcut_modifiers = 0;
    EXPECT_EQ(ButtonLabel(button, FakeText, u"F5").text, u"F5");
}

}  // namespace
}  // namespace nimba
