#pragma once

// The record a menu hands to its owner window with an item click (message 1027, wParam).
// The receiver copies what it needs and releases it through CPaintManagerUI::DeletePtr.

#include <string_view>

#include "platform/win_types.h"

struct MenuCmd {
    char16_t szName[256];
    char16_t szUserData[1024];
    char16_t szText[1024];
    BOOL bChecked;
};

namespace nimba::skin {

// Texts longer than a field are cut to fit with their terminating NUL.
MenuCmd* NewMenuCommand(std::u16string_view name, std::u16string_view user_data,
                        std::u16string_view text, bool checked);
// Posts 1027 (WM_MENUCLICK) with a new record to `owner`; the record is released when the
// window is gone.
void PostMenuCommand(HWND owner, std::u16string_view name, std::u16string_view user_data,
                     std::u16string_view text, bool checked);
// Frees a record made by NewMenuCommand; any other pointer (or a second release) is ignored.
bool ReleaseMenuCommand(void* record);

}  // namespace nimba::skin
