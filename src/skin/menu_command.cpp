#include "skin/menu_command.h"

#include <algorithm>
#include <mutex>
#include <set>

#include "platform/messages.h"
#include "skin/menu_wnd.h"

namespace nimba::skin {
namespace {

std::mutex records_mutex;
std::set<void*>& LiveRecords() {
    static std::set<void*> records;
    return records;
}

template <size_t N>
void CopyField(char16_t (&field)[N], std::u16string_view text) {
    const size_t n = std::min(text.size(), N - 1);
    std::copy_n(text.data(), n, field);
    std::fill(field + n, field + N, u'\0');
}

}  // namespace

MenuCmd* NewMenuCommand(std::u16string_view name, std::u16string_view user_data,
                        std::u16string_view text, bool checked) {
    auto* record = new MenuCmd;
    CopyField(record->szName, name);
    CopyField(record->szUserData, user_data);
    CopyField(record->szText, text);
    record->bChecked = checked ? TRUE : FALSE;
    const std::lock_guard lock(records_mutex);
    LiveRecords().insert(record);
    return record;
}

void PostMenuCommand(HWND owner, std::u16string_view name, std::u16string_view user_data,
                     std::u16string_view text, bool checked) {
    MenuCmd* record = NewMenuCommand(name, user_data, text, checked);
    if (!PostMessageW(owner, WM_MENUCLICK, reinterpret_cast<WPARAM>(record), 0))
        ReleaseMenuCommand(record);
}

bool ReleaseMenuCommand(void* record) {
    {
        const std::lock_guard lock(records_mutex);
        if (LiveRecords().erase(record) == 0) return false;
    }
    delete static_cast<MenuCmd*>(record);
    return true;
}

}  // namespace nimba::skin
