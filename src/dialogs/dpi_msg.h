#pragma once

// The DPI indicator: a small passive card near the bottom-right corner of the screen that shows
// the DPI the mouse switched to. It deletes itself when its window is gone, so its owner holds
// it only by its window handle.

#include <string>

#include "skin/window_impl_base.h"

namespace nimba {

class CDPIMsg : public WindowImplBase {
public:
    explicit CDPIMsg(std::u16string text) : text_(std::move(text)) {}

    std::u16string GetWindowClassName() const override { return u"DPIWnd"; }
    std::u16string GetSkinFile() override { return u"DPImsg.xml"; }
    void InitWindow() override;
    void OnFinalMessage(HWND hwnd) override;

    void SetText(std::u16string text);

    // Shows a new popup over `owner`'s screen; null when it cannot be built.
    static HWND Open(HWND owner, std::u16string text);

private:
    std::u16string text_;
};

// "DPI :" and the value of a DPI notice: for kind 0 the stage's DPI code, for kinds 1 and 2
// hundreds of DPI; other kinds add no number.
std::u16string DpiPopupText(WPARAM kind, LPARAM value);

}  // namespace nimba
