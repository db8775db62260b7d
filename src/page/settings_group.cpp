#include "page/settings_group.h"

#include "dialogs/dpi_color_wnd.h"
#include "model/colour.h"
#include "skin/window_functions.h"

namespace nimba {
namespace {

// How far left of its button the colour dialog opens.
constexpr int kColourDialogLeftOfButton = 200;

}  // namespace

std::u16string Numbered(std::u16string_view stem, int number) {
    std::u16string name(stem);
    for (char c : std::to_string(number)) name.push_back(static_cast<char16_t>(c));
    return name;
}

void ShowSlider(CSliderUI* slider, CControlUI* label, int32_t value, const std::u16string& text) {
    if (slider != nullptr) slider->SetValue(value);
    if (label != nullptr) label->SetText(text);
}

void ShowComboItem(CComboUI* combo, int32_t index) {
    if (combo == nullptr) return;
    combo->SelectItem(index >= 0 && index < combo->GetCount() ? index : -1);
}

void ShowColour(CControlUI* button, Colour colour) {
    if (button != nullptr) button->SetBkColor(ColourToArgb(colour));
}

std::optional<Colour> ChooseColourBelow(HWND window, const CControlUI& button, Colour current) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const RECT at = button.GetPos();
    const POINT anchor{frame.left + at.left - kColourDialogLeftOfButton, frame.top + at.bottom};
    const std::optional<DWORD> chosen = ChooseColor(window, anchor, ColourToArgb(current));
    if (!chosen) return std::nullopt;
    return ColourFromArgb(*chosen);
}

}  // namespace nimba
