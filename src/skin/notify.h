#pragma once

// Notifications a control raises on user input, handed to the window and its virtual windows.

#include <string>

#include "platform/win_types.h"

class CControlUI;

// Event names raised by the controls.
namespace notify_type {
inline constexpr char16_t kClick[] = u"click";
inline constexpr char16_t kSelectChanged[] = u"selectchanged";
inline constexpr char16_t kItemSelect[] = u"itemselect";
inline constexpr char16_t kCheckClick[] = u"checkclick";
inline constexpr char16_t kKillFocus[] = u"killfocus";
inline constexpr char16_t kSetFocus[] = u"setfocus";
inline constexpr char16_t kReturn[] = u"return";
inline constexpr char16_t kTextChanged[] = u"textchanged";
inline constexpr char16_t kValueChanged[] = u"valuechanged";
inline constexpr char16_t kMouseEnter[] = u"mouseenter";
inline constexpr char16_t kMouseLeave[] = u"mouseleave";
inline constexpr char16_t kTimer[] = u"timer";
inline constexpr char16_t kColorChanged[] = u"colorchanged";
inline constexpr char16_t kColorChangedButtonUp[] = u"colorchangedbuttonup";
inline constexpr char16_t kWindowInit[] = u"windowinit";
}  // namespace notify_type

struct TNotifyUI {
    std::u16string sType;
    std::u16string sVirtualWnd;  // the virtual window the sender belongs to, empty for none
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() = default;
};
