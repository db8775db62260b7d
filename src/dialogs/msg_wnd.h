#pragma once

// The message box: a title, a message and OK / Cancel, both texts given as language keys.
// Only OK answers 1; Cancel, Escape and closing the window answer 0.

#include <string>

#include "skin/window_impl_base.h"

namespace nimba {

class CMsgWnd : public WindowImplBase {
public:
    CMsgWnd(std::u16string title_key, std::u16string message_key);

    std::u16string GetWindowClassName() const override { return u"MsgWnd"; }
    std::u16string GetSkinFile() override { return u"msg.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;

private:
    std::u16string title_key_;
    std::u16string message_key_;
};

// Asks with "warning_title_text" over `owner` and waits for the answer: 1 for OK, else 0.
UINT ShowMessageBox(HWND owner, std::u16string message_key);

}  // namespace nimba
