#include "page/dpi_stages.h"

#include "dialogs/msg_wnd.h"
#include "model/dpi_code.h"
#include "model/profile_defaults.h"
#include "page/page_texts.h"

namespace nimba {

void DpiStages::Bind(const ControlFinder& find) {
    for (int s = 0; s < kStages; ++s) {
        Stage& stage = stages_[s];
        FindAs(find, Numbered(u"ms_1_slider_dpi_", s + 1), stage.slider);
        if (stage.slider != nullptr)
            stage.slider->SetUserUnits([](int code) { return double(DpiFromCode(code)); },
                                       &DpiValueText);
        stage.label = find(Numbered(u"ms_1_label_dpi_", s + 1));
        FindAs(find, Numbered(u"ms_1_option_dpi_step_", s + 1), stage.option);
        FindAs(find, Numbered(u"ms_1_btn_dpi_color_", s + 1), stage.colour);
        FindAs(find, Numbered(u"ms_1_edit_dpi_", s + 1), stage.edit);
    }
    apply_button_ = find(u"ms_1_btn_apply_dpi");
    reset_button_ = find(u"ms_1_btn_reset_dpi");
}

void DpiStages::Show(const ProfileRecord& profile) {
    SelectStage(profile.current_dpi_stage + 1);
    for (int s = 0; s < kStages; ++s) {
        Stage& stage = stages_[s];
        // A code beyond the slider's range shows the slider at its end; the stored code stays
        // until the user changes the stage.
        if (stage.slider != nullptr) stage.slider->SetValue(profile.dpi_x[s]);
        ShowDpi(stage, profile.dpi_x[s]);
        ShowColour(stage.colour, profile.dpi_color[s]);
    }
}

void DpiStages::SelectStage(int number) {
    for (int s = 0; s < kStages; ++s) {
        if (stages_[s].option != nullptr) stages_[s].option->Selected(s + 1 == number);
    }
}

void DpiStages::ShowDpi(Stage& stage, int32_t code) {
    const std::u16string text = DpiText(code);
    if (stage.label != nullptr) stage.label->SetText(text);
    if (stage.edit != nullptr) stage.edit->SetText(text);
    stage.typed = false;
}

int DpiStages::StageOf(const CControlUI* sender, auto Stage::*member) const {
    if (sender == nullptr) return -1;
    for (int s = 0; s < kStages; ++s) {
        if (stages_[s].*member == sender) return s;
    }
    return -1;
}

bool DpiStages::Handle(TNotifyUI& msg) {
    const std::u16string& type = msg.sType;
    const CControlUI* sender = msg.pSender;
    if (sender == nullptr) return false;
    if (type == notify_type::kClick) {
        if (sender == apply_button_) {
            host_.RequestApply();
        } else if (sender == reset_button_) {
            ResetStages();
        } else if (const int s = StageOf(sender, &Stage::colour); s >= 0) {
            ChooseStageColour(s);
        } else {
            return false;
        }
        return true;
    }
    if (type == notify_type::kValueChanged) {
        const int s = StageOf(sender, &Stage::slider);
        if (s >= 0) OnSliderMoved(s);
        return s >= 0;
    }
    if (type == notify_type::kSelectChanged) {
        const int s = StageOf(sender, &Stage::option);
        if (s >= 0) OnStageChosen(s);
        return s >= 0;
    }
    const int s = StageOf(sender, &Stage::edit);
    if (s < 0) return false;
    if (type == notify_type::kTextChanged) {
        FilterDigits(s);
        return true;
    }
    if (type == notify_type::kKillFocus || type == notify_type::kReturn) {
        CommitTyped(s);
        return true;
    }
    return false;
}

void DpiStages::OnSliderMoved(int s) {
    Stage& stage = stages_[s];
    const int32_t code = stage.slider->GetValue();
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.dpi_x[s] = code; })) return;
    // Sent with the next apply, whatever asks for it.
    ShowDpi(stage, code);
}

void DpiStages::FilterDigits(int s) {
    Stage& stage = stages_[s];
    std::u16string digits;
    for (char16_t c : stage.edit->GetText()) {
        if (c >= u'0' && c <= u'9') digits.push_back(c);
    }
    stage.edit->SetText(digits);
    stage.edit->SetSel(-1, -1);
    stage.typed = true;
}

void DpiStages::CommitTyped(int s) {
    Stage& stage = stages_[s];
    // Leaving an edit the user did not type into changes nothing: a stored code the page
    // cannot show (a stage not in use, a value from a foreign file) stays as it is.
    if (!stage.typed) return;
    stage.typed = false;
    const int32_t code = CodeFromDpiText(stage.edit->GetText());
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.dpi_x[s] = code; })) return;
    if (stage.slider != nullptr) stage.slider->SetValue(code);
    ShowDpi(stage, code);
}

void DpiStages::OnStageChosen(int s) {
    ProfileRecord profile{};
    if (!host_.CopyCurrent(profile)) return;
    // A stage without a DPI value is not in use: the mouse would be left on a stage it does not
    // step through.
    if (profile.dpi_x[s] == 0) {
        SelectStage(profile.current_dpi_stage + 1);
        ShowMessageBox(host_.Window(), u"dpi_stage_unused_text");
        return;
    }
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.current_dpi_stage = s; })) return;
    host_.RequestApply();
}

void DpiStages::ChooseStageColour(int s) {
    ProfileRecord profile{};
    if (!host_.CopyCurrent(profile)) return;
    Stage& stage = stages_[s];
    const std::optional<Colour> chosen =
        ChooseColourBelow(host_.Window(), *stage.colour, profile.dpi_color[s]);
    if (!chosen) return;
    if (!host_.EditCurrent([&](ProfileRecord& p) { p.dpi_color[s] = *chosen; })) return;
    ShowColour(stage.colour, *chosen);
    host_.RequestApply();
}

void DpiStages::ResetStages() {
    if (!host_.EditCurrent([](ProfileRecord& profile) { ResetDpiBlock(profile); })) return;
    host_.ShowProfile();
    host_.RequestApply();
}

}  // namespace nimba
