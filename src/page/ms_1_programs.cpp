#include "page/ms_1_programs.h"

#include <QComboBox>
#include <QKeySequence>
#include <QShortcut>
#include <cstdlib>
#include <string_view>

#include "dialogs/msg_wnd.h"
#include "model/utf16.h"
#include "skin/button.h"
#include "skin/combo.h"
#include "skin/list.h"
#include "skin/resource_manager.h"

namespace nimba {
namespace {

constexpr int kRowHeight = 22;

// Fills a combo with literal texts; nothing selected.
void FillCombo(CComboUI* combo, const std::vector<std::string>& texts) {
    if (combo == nullptr) return;
    combo->RemoveAll();
    for (const std::string& text : texts) {
        auto* item = new CListLabelElementUI;
        item->SetText(Utf8ToUtf16(text));
        combo->Add(item);
    }
    combo->SelectItem(-1);
}

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (SameName(names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

// Whether the desktop is a Wayland session, where only XWayland programs can be followed.
bool OnWaylandSession() {
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return (type != nullptr && std::string_view(type) == "wayland") ||
           std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

CMS_1_Programs::CMS_1_Programs(ProgramRulesDraft draft) : draft_(std::move(draft)) {}

void CMS_1_Programs::InitWindow() {
    const auto find = [this]<class T>(std::u16string_view name, T*& out) {
        out = dynamic_cast<T*>(m_pm.FindControl(name));
    };
    find(u"programs_list", list_);
    program_ = m_pm.FindControl(u"programs_edit_program");
    find(u"programs_combo_windows", windows_);
    find(u"programs_combo_profile", profile_);
    find(u"programs_option_keep", keep_);
    find(u"programs_option_back", back_);
    find(u"programs_combo_no_rule", no_rule_profile_);
    ShowWindowedPrograms();
    FillCombo(profile_, draft_.profiles);
    FillCombo(no_rule_profile_, draft_.profiles);
    ShowRules(-1);
    ShowNoRuleChoice();
    if (CControlUI* note = m_pm.FindControl(u"programs_wayland_note"))
        note->SetVisible(OnWaylandSession());
    if (CControlUI* note = m_pm.FindControl(u"programs_skipped_note");
        note != nullptr && !draft_.skipped.empty()) {
        std::u16string text = CResourceManager::GetInstance().GetText(u"programs_skipped_text");
        for (const SkippedLine& line : draft_.skipped)
            text += u"\n" + Utf8ToUtf16(SkippedLineText(line));
        note->SetText(text);
        note->SetVisible(true);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
}

void CMS_1_Programs::ShowWindowedPrograms() {
    std::vector<std::string> names;
    for (const WindowedProgram& program : draft_.windowed_programs) names.push_back(program.name);
    FillCombo(windows_, names);
    auto* combo = windows_ != nullptr ? qobject_cast<QComboBox*>(windows_->GetWidget()) : nullptr;
    if (combo == nullptr) return;
    for (size_t i = 0; i < draft_.windowed_programs.size(); ++i) {
        const QImage& icon = draft_.windowed_programs[i].icon;
        if (!icon.isNull()) combo->setItemIcon(static_cast<int>(i), QPixmap::fromImage(icon));
    }
}

void CMS_1_Programs::ShowRules(int selected) {
    if (list_ == nullptr) return;
    list_->RemoveAll();
    for (const ProgramRule& rule : draft_.rules.rules()) {
        auto* row = new CListLabelElementUI;
        row->SetText(Utf8ToUtf16(rule.program + " \u2192 " + rule.profile));
        row->SetFixedHeight(kRowHeight);
        list_->Add(row);
    }
    list_->SelectItem(selected);
}

void CMS_1_Programs::ShowNoRuleChoice() {
    const int index = IndexOf(draft_.profiles, draft_.rules.no_rule_profile());
    if (keep_ != nullptr) keep_->Selected(index < 0);
    if (back_ != nullptr) back_->Selected(index >= 0);
    if (no_rule_profile_ != nullptr) no_rule_profile_->SelectItem(index);
}

void CMS_1_Programs::Notify(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    const std::u16string& name = msg.pSender->GetName();
    if (msg.sType == notify_type::kItemSelect) {
        const int index = static_cast<int>(msg.wParam);
        if (msg.pSender == list_) OnRulePicked(index);
        if (msg.pSender == windows_ && index >= 0 &&
            static_cast<size_t>(index) < draft_.windowed_programs.size() && program_ != nullptr)
            program_->SetText(
                Utf8ToUtf16(draft_.windowed_programs[static_cast<size_t>(index)].name));
        // Picking the profile to go back to is choosing to go back.
        if (msg.pSender == no_rule_profile_ && index >= 0 && back_ != nullptr)
            back_->Selected(true);
    } else if (msg.sType == notify_type::kReturn && msg.pSender == program_) {
        SetRule();
    } else if (msg.sType == notify_type::kClick) {
        if (name == u"programs_set_btn") SetRule();
        if (name == u"programs_remove_btn") RemoveRule();
        if (name == u"btn_ok") OnOk();
        if (name == u"btn_cancel" || name == u"btn_exit") Close(0);
    }
}

void CMS_1_Programs::OnRulePicked(int index) {
    const auto& rules = draft_.rules.rules();
    if (index < 0 || static_cast<size_t>(index) >= rules.size()) return;
    const ProgramRule& rule = rules[static_cast<size_t>(index)];
    if (program_ != nullptr) program_->SetText(Utf8ToUtf16(rule.program));
    if (profile_ != nullptr) profile_->SelectItem(IndexOf(draft_.profiles, rule.profile));
}

void CMS_1_Programs::SetRule() {
    const std::string program =
        program_ != nullptr ? std::string(TrimBlanks(Utf16ToUtf8(program_->GetText()))) : "";
    if (!IsProgramName(program)) {
        Tell(u"programs_name_invalid_text");
        return;
    }
    const int profile = profile_ != nullptr ? profile_->GetCurSel() : -1;
    if (profile < 0 || static_cast<size_t>(profile) >= draft_.profiles.size()) {
        Tell(u"programs_pick_profile_text");
        return;
    }
    draft_.rules.Set(program, draft_.profiles[static_cast<size_t>(profile)]);
    const auto& rules = draft_.rules.rules();
    int row = 0;
    while (static_cast<size_t>(row) < rules.size() &&
           !SameName(rules[static_cast<size_t>(row)].program, program))
        ++row;
    ShowRules(row);
}

void CMS_1_Programs::RemoveRule() {
    const int row = list_ != nullptr ? list_->GetCurSel() : -1;
    const auto& rules = draft_.rules.rules();
    if (row < 0 || static_cast<size_t>(row) >= rules.size()) {
        Tell(u"programs_pick_rule_text");
        return;
    }
    draft_.rules.Remove(std::string(rules[static_cast<size_t>(row)].program));
    ShowRules(-1);
}

void CMS_1_Programs::OnOk() {
    const bool back = back_ != nullptr && back_->IsSelected();
    const int index = no_rule_profile_ != nullptr ? no_rule_profile_->GetCurSel() : -1;
    if (back && (index < 0 || static_cast<size_t>(index) >= draft_.profiles.size())) {
        Tell(u"programs_pick_profile_text");
        return;
    }
    draft_.rules.SetNoRuleProfile(back ? draft_.profiles[static_cast<size_t>(index)] : "");
    Close(1);
}

void CMS_1_Programs::Tell(std::u16string message_key) {
    ShowMessageBox(GetHWND(), std::move(message_key));
}

std::optional<ProgramRules> AskProgramRules(HWND owner, ProgramRulesDraft draft) {
    CMS_1_Programs dialog(std::move(draft));
    if (dialog.RunModal(owner) != 1U) return std::nullopt;
    return dialog.rules();
}

}  // namespace nimba
