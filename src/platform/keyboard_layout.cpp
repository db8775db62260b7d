#include "platform/keyboard_layout.h"

#include <optional>

#include "platform/xkb_layout.h"

namespace {

struct UsKey {
    BYTE vk;
    BYTE scan;
    char16_t plain;    // unshifted character, 0 for none
    char16_t shifted;  // with Shift held
};

// One row per key of a US keyboard. The first row of a scan code is its canonical virtual key.
constexpr UsKey kUsKeys[] = {
    {0x41, 30, u'a', u'A'},
    {0x42, 48, u'b', u'B'},
    {0x43, 46, u'c', u'C'},
    {0x44, 32, u'd', u'D'},
    {0x45, 18, u'e', u'E'},
    {0x46, 33, u'f', u'F'},
    {0x47, 34, u'g', u'G'},
    {0x48, 35, u'h', u'H'},
    {0x49, 23, u'i', u'I'},
    {0x4A, 36, u'j', u'J'},
    {0x4B, 37, u'k', u'K'},
    {0x4C, 38, u'l', u'L'},
    {0x4D, 50, u'm', u'M'},
    {0x4E, 49, u'n', u'N'},
    {0x4F, 24, u'o', u'O'},
    {0x50, 25, u'p', u'P'},
    {0x51, 16, u'q', u'Q'},
    {0x52, 19, u'r', u'R'},
    {0x53, 31, u's', u'S'},
    {0x54, 20, u't', u'T'},
    {0x55, 22, u'u', u'U'},
    {0x56, 47, u'v', u'V'},
    {0x57, 17, u'w', u'W'},
    {0x58, 45, u'x', u'X'},
    {0x59, 21, u'y', u'Y'},
    {0x5A, 44, u'z', u'Z'},
    {0x31, 2, u'1', u'!'},
    {0x32, 3, u'2', u'@'},
    {0x33, 4, u'3', u'#'},
    {0x34, 5, u'4', u'$'},
    {0x35, 6, u'5', u'%'},
    {0x36, 7, u'6', u'^'},
    {0x37, 8, u'7', u'&'},
    {0x38, 9, u'8', u'*'},
    {0x39, 10, u'9', u'('},
    {0x30, 11, u'0', u')'},
    {189, 12, u'-', u'_'},
    {187, 13, u'=', u'+'},
    {219, 26, u'[', u'{'},
    {221, 27, u']', u'}'},
    {220, 43, u'\\', u'|'},
    {186, 39, u';', u':'},
    {222, 40, u'\'', u'"'},
    {192, 41, u'`', u'~'},
    {188, 51, u',', u'<'},
    {190, 52, u'.', u'>'},
    {191, 53, u'/', u'?'},
    {226, 86, u'\\', u'|'},
    {13, 28, u'\r', u'\r'},
    {27, 1, 0x1B, 0x1B},
    {8, 14, u'\b', u'\b'},
    {9, 15, u'\t', u'\t'},
    {32, 57, u' ', u' '},
    {20, 58, 0, 0},
    {112, 59, 0, 0},
    {113, 60, 0, 0},
    {114, 61, 0, 0},
    {115, 62, 0, 0},
    {116, 63, 0, 0},
    {117, 64, 0, 0},
    {118, 65, 0, 0},
    {119, 66, 0, 0},
    {120, 67, 0, 0},
    {121, 68, 0, 0},
    {122, 87, 0, 0},
    {123, 88, 0, 0},
    // Left modifiers first so the scan code maps back to them.
    {160, 42, 0, 0},
    {161, 54, 0, 0},
    {162, 29, 0, 0},
    {164, 56, 0, 0},
    {16, 42, 0, 0},
    {17, 29, 0, 0},
    {18, 56, 0, 0},
    {163, 29, 0, 0},
    {165, 56, 0, 0},
    {91, 91, 0, 0},
    {92, 92, 0, 0},
    {93, 93, 0, 0},
    {144, 69, 0, 0},
    {145, 70, 0, 0},
    {19, 69, 0, 0},
    {44, 84, 0, 0},
    // Navigation keys share their scan codes with the keypad; without Num Lock the scan code
    // means the navigation key.
    {36, 71, 0, 0},
    {38, 72, 0, 0},
    {33, 73, 0, 0},
    {37, 75, 0, 0},
    {39, 77, 0, 0},
    {35, 79, 0, 0},
    {40, 80, 0, 0},
    {34, 81, 0, 0},
    {45, 82, 0, 0},
    {46, 83, 0, 0},
    {103, 71, u'7', u'7'},
    {104, 72, u'8', u'8'},
    {105, 73, u'9', u'9'},
    {100, 75, u'4', u'4'},
    {101, 76, u'5', u'5'},
    {102, 77, u'6', u'6'},
    {97, 79, u'1', u'1'},
    {98, 80, u'2', u'2'},
    {99, 81, u'3', u'3'},
    {96, 82, u'0', u'0'},
    {110, 83, u'.', u'.'},
    {106, 55, u'*', u'*'},
    {109, 74, u'-', u'-'},
    {107, 78, u'+', u'+'},
};

constexpr BYTE kVkShift = 16;

const UsKey* FindByVirtualKey(UINT vk) {
    for (const UsKey& key : kUsKeys) {
        if (key.vk == vk) return &key;
    }
    return nullptr;
}

// Letters move with the layout (a German keyboard prints Z where a US one prints Y): a letter's
// virtual key is the letter the user's layout prints on the key. Other keys keep the US ones.
constexpr UINT kFirstMainBlockScan = 2;
constexpr UINT kLastMainBlockScan = 53;

std::optional<UINT> LayoutLetter(UINT scan) {
    const auto c = LayoutCharacter(scan, false);
    if (!c) return std::nullopt;
    if (*c >= U'a' && *c <= U'z') return static_cast<UINT>(*c - U'a' + U'A');
    return std::nullopt;
}

}  // namespace

UINT MapVirtualKeyW(UINT uCode, UINT uMapType) {
    if (uMapType == MAPVK_VK_TO_VSC && uCode >= 'A' && uCode <= 'Z') {
        for (UINT scan = kFirstMainBlockScan; scan <= kLastMainBlockScan; ++scan) {
            if (LayoutLetter(scan) == uCode) return scan;
        }
    }
    if (uMapType == MAPVK_VSC_TO_VK_EX && uCode >= kFirstMainBlockScan &&
        uCode <= kLastMainBlockScan) {
        if (const auto letter = LayoutLetter(uCode)) return *letter;
    }
    if (uMapType == MAPVK_VK_TO_VSC) {
        const UsKey* key = FindByVirtualKey(uCode);
        return key ? key->scan : 0;
    }
    if (uMapType == MAPVK_VSC_TO_VK_EX) {
        if (uCode == 0) return 0;
        for (const UsKey& key : kUsKeys) {
            if (key.scan == uCode) return key.vk;
        }
    }
    return 0;
}

int ToUnicode(UINT wVirtKey, UINT /*wScanCode*/, const BYTE* lpKeyState, char16_t* pwszBuff,
              int cchBuff, UINT /*wFlags*/) {
    const UsKey* key = FindByVirtualKey(wVirtKey);
    if (key == nullptr || key->plain == 0 || cchBuff < 1) return 0;
    const bool shift = lpKeyState != nullptr && (lpKeyState[kVkShift] & 0x80) != 0;
    // Keypad keys print the same on every layout.
    const UINT scan = MapVirtualKeyW(wVirtKey, MAPVK_VK_TO_VSC);
    if (scan >= kFirstMainBlockScan && scan <= kLastMainBlockScan) {
        if (const auto c = LayoutCharacter(scan, shift); c && *c <= 0xFFFF) {
            pwszBuff[0] = static_cast<char16_t>(*c);
            return 1;
        }
    }
    pwszBuff[0] = shift ? key->shifted : key->plain;
    return 1;
}
