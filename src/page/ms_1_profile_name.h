#pragma once

// The small dialog in which the user names a new profile or renames the current one. It
// refuses an empty name and one that a profile already has (letter case aside, the profile
// being renamed included), each with a message, and stays open so the name can be corrected.

#include <optional>
#include <string>

#include "persistence/profile_store.h"
#include "skin/window_impl_base.h"

namespace nimba {

class CMS_1_ProfileName : public WindowImplBase {
public:
    // `title_key` is the language key of the caption; names are checked against `profiles`.
    CMS_1_ProfileName(std::u16string title_key, ProfileStore& profiles);

    std::u16string GetWindowClassName() const override { return u"MS_1_ProfileName"; }
    std::u16string GetSkinFile() override { return u"MS/MS_1/profilename.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    void OnClick(TNotifyUI& msg) override;

    // The accepted name; empty until OK succeeded.
    const std::u16string& GetName() const { return name_; }

private:
    void OnOk();

    std::u16string title_key_;
    ProfileStore& profiles_;
    CControlUI* edit_name_ = nullptr;
    std::u16string name_;
};

// Asks for a name over `owner`: the accepted name, or nothing when the user cancelled.
std::optional<std::u16string> AskProfileName(HWND owner, std::u16string title_key,
                                             ProfileStore& profiles);

}  // namespace nimba
