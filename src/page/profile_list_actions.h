#pragma once

// What the page does with its profile list: switching by picking a row, and the add, delete,
// rename, reset, import and export buttons. The list control and the profile list change
// together, every change is saved at once (whether or not a mouse is there to apply it), and
// a new current profile is made current here directly, never left to a list notification.

#include <functional>
#include <string>
#include <string_view>

#include "macro/macro_store.h"
#include "persistence/profile_store.h"
#include "platform/win_types.h"

class CControlUI;
class CListUI;

namespace nimba {

class ProfileListActions {
public:
    struct PageHooks {
        std::function<void()> show_profile;    // the current profile into the controls
        std::function<void()> apply_whole;     // the whole current profile to the mouse
        std::function<void()> status_changed;  // the current profile or its name changed
        std::function<void()> save;            // the store written soon, failures told
        // Whether programs follow a profile (its deletion then warns), and its rename and
        // deletion, for their rules. Names in UTF-8.
        std::function<bool(const std::string&)> followed;
        std::function<void(const std::string& old_name, const std::string& new_name)> renamed;
        std::function<void(const std::string&)> deleted;
    };

    ProfileListActions(ProfileStore& store, MacroStore& macros, PageHooks hooks);

    // The owner of the dialogs and the list control (null when the skin lacks it).
    void Bind(HWND window, CListUI* list);
    // One row per profile, the current one selected without a notification.
    void ShowList();
    // The profile buttons; false for any other control.
    bool OnClick(const CControlUI& sender);
    // Makes profile `index` current (the user picked its row), shows it and sends it whole.
    void SwitchProfile(int index);

private:
    void AddProfile();
    void DeleteProfile();
    void RenameProfile();
    void ResetProfile();
    void ImportProfileFile();
    void ExportProfileFile();
    void AddRow(std::u16string_view name);
    void SelectRow(int index);
    void Tell(std::u16string message_key);
    std::string CurrentName();

    ProfileStore& store_;
    MacroStore& macros_;
    PageHooks hooks_;
    HWND window_ = nullptr;
    CListUI* list_ = nullptr;
};

}  // namespace nimba
