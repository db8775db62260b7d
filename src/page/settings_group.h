#pragma once

// What the groups of settings controls on the page share: the page they edit through, the way
// they find their controls, and how they show values without raising notifications.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/profile_record.h"
#include "platform/win_types.h"
#include "skin/button.h"
#include "skin/combo.h"
#include "skin/control.h"
#include "skin/slider.h"

namespace nimba {

// A burst of changes is applied once, this long after the last: an effect chosen from a list
// waits for the next choice, a slider for its thumb to rest.
inline constexpr UINT kListSelectApplyDelayMs = 200;
inline constexpr UINT kSliderApplyDelayMs = 500;

// The page as a group of controls sees it.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    // Changes the current profile under the store's lock; false when there is none.
    virtual bool EditCurrent(const std::function<void(ProfileRecord&)>& change) = 0;
    // A copy of the current profile; false when there is none.
    virtual bool CopyCurrent(ProfileRecord& profile) const = 0;
    // Shows the whole current profile again.
    virtual void ShowProfile() = 0;
    virtual void RequestApply() = 0;
    virtual void RequestApplySoon(UINT delay_ms) = 0;
    // Has the profile store written soon; a failure is told to the user there.
    virtual void SaveProfiles() = 0;
    // The main window: dialogs open over it.
    virtual HWND Window() const = 0;
};

// Finds a control of the page by name; null (and a trace) when the skin has none.
using ControlFinder = std::function<CControlUI*(std::u16string_view name)>;

template <class T>
void FindAs(const ControlFinder& find, std::u16string_view name, T*& out) {
    out = dynamic_cast<T*>(find(name));
}

// "<stem><number>", the names of numbered controls.
std::u16string Numbered(std::u16string_view stem, int number);

// The index of `sender` in `controls`, or -1.
template <class T, size_t N>
int IndexOf(const std::array<T*, N>& controls, const CControlUI* sender) {
    if (sender == nullptr) return -1;
    for (size_t i = 0; i < N; ++i) {
        if (controls[i] == sender) return static_cast<int>(i);
    }
    return -1;
}

// Selects option `value` + 1 of a group without a notification; a value the group has no
// option for selects none of them (and nothing is written back).
template <size_t N>
void ShowChoice(const std::array<COptionUI*, N>& options, int32_t value) {
    for (size_t i = 0; i < N; ++i) {
        if (options[i] != nullptr) options[i]->Selected(static_cast<int32_t>(i) == value);
    }
}

// A slider and the label that reads its value.
void ShowSlider(CSliderUI* slider, CControlUI* label, int32_t value, const std::u16string& text);
// Item `index` of a drop-down list; an index it has no item for selects none.
void ShowComboItem(CComboUI* combo, int32_t index);
// A colour button's background from a profile colour.
void ShowColour(CControlUI* button, Colour colour);

// Opens the colour dialog under `button` (its top-left corner 200 pixels left of the button's
// left edge, level with its bottom edge) with `current` shown; the chosen colour after OK.
std::optional<Colour> ChooseColourBelow(HWND window, const CControlUI& button, Colour current);

}  // namespace nimba
