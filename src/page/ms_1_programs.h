#pragma once

// The "Programs" dialog: the rules "program -> profile", added from the programs that have a
// window now or typed, changed or removed, and what happens when no rule matches. It edits a
// copy of the rules; OK hands the copy back.

#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "persistence/program_rules_file.h"
#include "skin/window_impl_base.h"

class CComboUI;
class CListUI;
class COptionUI;

namespace nimba {

// A program that has a window now, with the icon its window gives (null when none).
struct WindowedProgram {
    std::string name;
    QImage icon;
};

struct ProgramRulesDraft {
    ProgramRules rules;
    std::vector<std::string> profiles;  // names, in list order
    std::vector<WindowedProgram> windowed_programs;
    std::vector<SkippedLine> skipped;  // lines of the file that were not read
};

class CMS_1_Programs : public WindowImplBase {
public:
    explicit CMS_1_Programs(ProgramRulesDraft draft);

    std::u16string GetWindowClassName() const override { return u"MS_1_Programs"; }
    std::u16string GetSkinFile() override { return u"MS/MS_1/programs.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;

    const ProgramRules& rules() const { return draft_.rules; }

private:
    void ShowWindowedPrograms();
    void ShowRules(int selected);
    void ShowNoRuleChoice();
    void OnRulePicked(int index);
    void SetRule();
    void RemoveRule();
    void OnOk();
    void Tell(std::u16string message_key);

    ProgramRulesDraft draft_;
    CListUI* list_ = nullptr;
    CControlUI* program_ = nullptr;
    CComboUI* windows_ = nullptr;
    CComboUI* profile_ = nullptr;
    COptionUI* keep_ = nullptr;
    COptionUI* back_ = nullptr;
    CComboUI* no_rule_profile_ = nullptr;
};

// Shows the dialog over `owner`: the edited rules after OK, nothing when cancelled.
std::optional<ProgramRules> AskProgramRules(HWND owner, ProgramRulesDraft draft);

}  // namespace nimba
