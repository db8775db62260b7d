#pragma once

// The eight DPI stages on the page: a slider, a label and an edit per stage for its DPI, an
// option for the active stage, a colour button, and the apply and reset buttons.

#include <array>

#include "page/settings_group.h"
#include "skin/edit.h"
#include "skin/notify.h"

namespace nimba {

class DpiStages {
public:
    static constexpr int kStages = 8;

    explicit DpiStages(SettingsHost& host) : host_(host) {}

    void Bind(const ControlFinder& find);
    // Shows the stages of `profile`. A value typed but not committed yet belonged to the
    // profile shown before: it is dropped, never written into this one.
    void Show(const ProfileRecord& profile);
    // Selects option `number` (1..8) without a notification; another number selects none.
    void SelectStage(int number);
    // True when the notification was one of this group's.
    bool Handle(TNotifyUI& msg);

private:
    struct Stage {
        CSliderUI* slider = nullptr;
        CControlUI* label = nullptr;
        COptionUI* option = nullptr;
        CButtonUI* colour = nullptr;
        CRichEditUI* edit = nullptr;
        // The user typed into the edit since its value was last shown or committed.
        bool typed = false;
    };

    int StageOf(const CControlUI* sender, auto Stage::*member) const;
    void ShowDpi(Stage& stage, int32_t code);
    void OnSliderMoved(int s);
    void FilterDigits(int s);
    void CommitTyped(int s);
    void OnStageChosen(int s);
    void ChooseStageColour(int s);
    void ResetStages();

    SettingsHost& host_;
    std::array<Stage, kStages> stages_{};
    CControlUI* apply_button_ = nullptr;
    CControlUI* reset_button_ = nullptr;
};

}  // namespace nimba
