#include "keys/key_table.h"

#include <array>
#include <string_view>

#include "model/macro_action.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "platform/debug_output.h"
#include "platform/keyboard_layout.h"
#include "platform/text_encoding.h"

namespace nimba {
namespace {

constexpr KeyUsageRow kRows[] = {
    // Letters A..Z
    {0x41, 4, 30},
    {0x42, 5, 48},
    {0x43, 6, 46},
    {0x44, 7, 32},
    {0x45, 8, 18},
    {0x46, 9, 33},
    {0x47, 10, 34},
    {0x48, 11, 35},
    {0x49, 12, 23},
    {0x4A, 13, 36},
    {0x4B, 14, 37},
    {0x4C, 15, 38},
    {0x4D, 16, 50},
    {0x4E, 17, 49},
    {0x4F, 18, 24},
    {0x50, 19, 25},
    {0x51, 20, 16},
    {0x52, 21, 19},
    {0x53, 22, 31},
    {0x54, 23, 20},
    {0x55, 24, 22},
    {0x56, 25, 47},
    {0x57, 26, 17},
    {0x58, 27, 45},
    {0x59, 28, 21},
    {0x5A, 29, 44},
    // Digits 1..9, 0
    {0x31, 30, 2},
    {0x32, 31, 3},
    {0x33, 32, 4},
    {0x34, 33, 5},
    {0x35, 34, 6},
    {0x36, 35, 7},
    {0x37, 36, 8},
    {0x38, 37, 9},
    {0x39, 38, 10},
    {0x30, 39, 11},
    // Enter, Escape, Backspace, Tab, Space
    {13, 40, 28},
    {27, 41, 1},
    {8, 42, 14},
    {9, 43, 15},
    {32, 44, 57},
    // Main-block punctuation; OEM 8 shares usage 56 and the scan code of OEM 2
    {189, 45, 12},
    {187, 46, 13},
    {219, 47, 26},
    {221, 48, 27},
    {220, 49, 43},
    {186, 51, 39},
    {222, 52, 40},
    {192, 53, 41},
    {188, 54, 51},
    {190, 55, 52},
    {191, 56, 53},
    {223, 56, 53},
    // Caps Lock, F1..F12
    {20, 57, 58},
    {112, 58, 59},
    {113, 59, 60},
    {114, 60, 61},
    {115, 61, 62},
    {116, 62, 63},
    {117, 63, 64},
    {118, 64, 65},
    {119, 65, 66},
    {120, 66, 67},
    {121, 67, 68},
    {122, 68, 87},
    {123, 69, 88},
    // Print Screen .. Up
    {44, 70, 0},
    {145, 71, 0},
    {19, 72, 0},
    {45, 73, 0},
    {36, 74, 0},
    {33, 75, 0},
    {46, 76, 0},
    {35, 77, 0},
    {34, 78, 0},
    {39, 79, 0},
    {37, 80, 0},
    {40, 81, 0},
    {38, 82, 0},
    // Num Lock, keypad operators
    {144, 83, 0},
    {111, 84, 0},
    {106, 85, 0},
    {109, 86, 0},
    {107, 87, 0},
    {108, 88, 0},
    // Keypad digits, Decimal, Apps
    {97, 89, 0},
    {98, 90, 0},
    {99, 91, 0},
    {100, 92, 0},
    {101, 93, 0},
    {103, 95, 0},
    {102, 94, 0},
    {104, 96, 0},
    {105, 97, 0},
    {96, 98, 0},
    {110, 99, 0},
    {93, 101, 0},
    // Modifiers
    {162, 224, 0},
    {160, 225, 0},
    {164, 226, 0},
    {91, 227, 0},
    {163, 228, 0},
    {161, 229, 0},
    {165, 230, 0},
    {92, 231, 0},
    // Codes that are their own virtual key
    {240, 240, 0},
    {kLeftButtonCode, kLeftButtonCode, 0},
    {kRightButtonCode, kRightButtonCode, 0},
    {kMiddleButtonCode, kMiddleButtonCode, 0},
    {kBackwardButtonCode, kBackwardButtonCode, 0},
    {247, 247, 0},
    {248, 248, 0},
};
static_assert(std::size(kRows) == 112);

bool InPositionRange(int usage) {
    return usage >= 4 && usage <= 69;
}

const KeyUsageRow* FirstRowWhere(auto matches) {
    for (const KeyUsageRow& row : kRows) {
        if (matches(row)) return &row;
    }
    return nullptr;
}

std::u16string Text(std::u16string_view id, const TextLookup& text) {
    if (id.empty()) return {};
    return text(id);
}

// Text ids of the codes that do not follow the keyboard layout.
std::u16string_view FixedCodeTextId(uint8_t code) {
    static constexpr std::u16string_view kFrom58[] = {
        u"key_F1",        u"key_F2",    u"key_F3",        u"key_F4",          u"key_F5",
        u"key_F6",        u"key_F7",    u"key_F8",        u"key_F9",          u"key_F10",
        u"key_F11",       u"key_F12",   u"key_Print Scr", u"key_Scroll Lock", u"key_Pause",
        u"key_Insert",    u"key_Home",  u"key_Page Up",   u"key_Delete",      u"key_End",
        u"key_Page Down", u"key_Right", u"key_Left",      u"key_Down",        u"key_Up",
        u"key_Num Lock",  u"key_Num_/", u"key_Num_*",     u"key_Num_-",       u"key_Num_+",
        u"key_Num_Enter", u"key_Num_1", u"key_Num_2",     u"key_Num_3",       u"key_Num_4",
        u"key_Num_5",     u"key_Num_6", u"key_Num_7",     u"key_Num_8",       u"key_Num_9",
        u"key_Num_0",     u"key_Num_.", u"key_\\",        u"key_APP"};
    static constexpr std::u16string_view kFrom224[] = {u"key_LCtrl", u"key_LShift", u"key_LAlt",
                                                       u"key_LWin",  u"key_RCtrl",  u"key_RShift",
                                                       u"key_RAlt",  u"key_RWin"};
    static constexpr std::u16string_view kMouseButtons[] = {u"L_Button", u"R_Button", u"M_Button",
                                                            u"Backward_Button", u"Forward_Button"};
    if (code >= 58 && code <= 101) return kFrom58[code - 58];
    if (code >= 224 && code <= 231) return kFrom224[code - 224];
    if (IsMouseButtonCode(code)) return kMouseButtons[code - kLeftButtonCode];
    switch (code) {
        case 130:
            return u"Sleep";
        case 136:
            return u"Kana/Roma";
        case 221:
            return u"`";
        default:
            return {};
    }
}

std::u16string_view FixedVirtualKeyTextId(int vk) {
    static constexpr std::u16string_view kFrom33[] = {u"key_Page Up", u"key_Page Down", u"key_End",
                                                      u"key_Home",    u"key_Left",      u"key_Up",
                                                      u"key_Right",   u"key_Down"};
    static constexpr std::u16string_view kFrom106[] = {u"key_Num_*", u"key_Num_+", u"key_Num_Enter",
                                                       u"key_Num_-", u"key_Num_.", u"key_Num_/"};
    static constexpr std::u16string_view kFrom112[] = {
        u"key_F1", u"key_F2", u"key_F3", u"key_F4",  u"key_F5",  u"key_F6",
        u"key_F7", u"key_F8", u"key_F9", u"key_F10", u"key_F11", u"key_F12"};
    static constexpr std::u16string_view kFrom160[] = {u"key_LShift", u"key_RShift", u"key_LCtrl",
                                                       u"key_RCtrl",  u"key_LAlt",   u"key_RAlt"};
    static constexpr std::u16string_view kNumpadDigits[] = {
        u"key_Num_0", u"key_Num_1", u"key_Num_2", u"key_Num_3", u"key_Num_4",
        u"key_Num_5", u"key_Num_6", u"key_Num_7", u"key_Num_8", u"key_Num_9"};
    if (vk >= 33 && vk <= 40) return kFrom33[vk - 33];
    if (vk >= 96 && vk <= 105) return kNumpadDigits[vk - 96];
    if (vk >= 106 && vk <= 111) return kFrom106[vk - 106];
    if (vk >= 112 && vk <= 123) return kFrom112[vk - 112];
    if (vk >= 160 && vk <= 165) return kFrom160[vk - 160];
    switch (vk) {
        case 8:
            return u"key_BackSpace";
        case 9:
            return u"key_Tab";
        case 13:
            return u"key_Enter";
        case 16:
            return u"key_LShift";
        case 17:
            return u"key_LCtrl";
        case 18:
            return u"key_LAlt";
        case 19:
            return u"key_Pause";
        case 20:
            return u"key_Caplk";
        case 27:
            return u"key_Esc";
        case 32:
            return u"key_Space";
        case 42:
        case 44:
            return u"key_Print Scr";
        case 45:
            return u"key_Insert";
        case 46:
            return u"key_Delete";
        case 91:
            return u"key_LWin";
        case 92:
            return u"key_RWin";
        case 93:
            return u"key_APP";
        case 144:
            return u"key_Num Lock";
        case 145:
            return u"key_Scroll Lock";
        case 240:
            return u"key_Caplk";
        default:
            return {};
    }
}

}  // namespace

std::span<const KeyUsageRow> KeyTable() {
    return kRows;
}

KeyCodeLookup KeyCodeOfVirtualKey(int virtual_key) {
    const KeyUsageRow* row =
        FirstRowWhere([&](const KeyUsageRow& r) { return r.virtual_key == virtual_key; });
    if (row == nullptr) return {false, 0};
    if (!InPositionRange(row->usage)) return {true, row->usage};
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
    const KeyUsageRow* at_position =
        FirstRowWhere([&](const KeyUsageRow& r) { return r.scan_code == scan; });
    return {true, at_position ? at_position->usage : row->usage};
}

namespace {

std::u16string LookUpKeyName(uint8_t code, const TextLookup& text) {
    const bool follows_layout = (code >= 4 && code <= 57) || (code >= 232 && code <= 239);
    if (!follows_layout) return Text(FixedCodeTextId(code), text);
    int virtual_key = 0;
    if (const KeyUsageRow* row =
            FirstRowWhere([&](const KeyUsageRow& r) { return r.usage == code; })) {
        virtual_key = InPositionRange(code)
                          ? static_cast<int>(MapVirtualKeyW(row->scan_code, MAPVK_VSC_TO_VK_EX))
                          : row->virtual_key;
    }
    return VirtualKeyName(virtual_key, text);
}

}  // namespace

std::u16string KeyName(uint8_t code, const TextLookup& text) {
    std::u16string name = LookUpKeyName(code, text);
    const std::wstring trace = L"m_key = " + platform::FromUtf8(Utf16ToUtf8(name)) + L"\r\n";
    OutputDebugStringW(trace.c_str());
    return name;
}

std::u16string VirtualKeyName(int virtual_key, const TextLookup& text) {
    const std::u16string_view id = FixedVirtualKeyTextId(virtual_key);
    if (!id.empty()) return Text(id, text);
    const UINT vk = static_cast<UINT>(virtual_key);
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    const std::array<BYTE, 256> no_keys_down{};
    std::array<char16_t, 260> chars{};
    const int count = ToUnicode(vk, scan, no_keys_down.data(), chars.data(), chars.size(), 0);
    if (count <= 0) return {};
    return ToUpperCase(std::u16string_view(chars.data(), static_cast<size_t>(count)));
}

}  // namespace nimba
