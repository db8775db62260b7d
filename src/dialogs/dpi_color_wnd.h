#pragma once

// The small colour picker that opens under a colour button of the settings page: a palette,
// sixteen preset colours and red, green and blue fields, kept in step. Only OK answers 1;
// Cancel, Escape and closing the window answer 0 and leave the caller's colour as it was.

#include <optional>
#include <string>

#include "skin/ui_geometry.h"
#include "skin/window_impl_base.h"

class CColorPaletteUI;

namespace nimba {

class CDpiColorWnd : public WindowImplBase {
public:
    static constexpr int kPresets = 16;
    static constexpr int kWidth = 250;
    static constexpr int kHeight = 200;

    // Before Create: where the top-left corner goes (screen pixels) and the colour shown first.
    void SetAnchor(POINT anchor) { anchor_ = anchor; }
    void SetSelectedColor(DWORD argb) { selected_ = argb; }
    // After a run that answered 1: the chosen colour, 0xFFRRGGBB.
    DWORD GetSelectedColor() const { return selected_; }

    std::u16string GetWindowClassName() const override { return u"DpiColorWnd"; }
    std::u16string GetSkinFile() override { return u"DpiColorDialog.xml"; }
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    void Notify(TNotifyUI& msg) override;

private:
    void ShowColor(DWORD argb);
    void ShowSwatch(DWORD argb);
    void ShowFields(DWORD argb);
    void OnComponentTyped(CControlUI& edit, int shift);

    POINT anchor_{};
    DWORD selected_ = 0xFF000000u;
    CControlUI* swatch_ = nullptr;
    CColorPaletteUI* palette_ = nullptr;
    CControlUI* red_ = nullptr;
    CControlUI* green_ = nullptr;
    CControlUI* blue_ = nullptr;
};

// The top-left corner that puts a window of `size` as near `anchor` as it can while keeping it
// whole inside `screen`; a window larger than the screen keeps its top-left corner on it.
POINT FitOnScreen(const RECT& screen, POINT anchor, SIZE size);

// Opens the picker modally over `owner` at `anchor` with `initial` (0xFFRRGGBB) shown; the
// chosen colour when the user confirmed, else nothing.
std::optional<DWORD> ChooseColor(HWND owner, POINT anchor, DWORD initial);

}  // namespace nimba
