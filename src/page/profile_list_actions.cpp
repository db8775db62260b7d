#include "page/profile_list_actions.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "dialogs/msg_wnd.h"
#include "model/profile_defaults.h"
#include "model/utf16.h"
#include "page/ms_1_profile_name.h"
#include "persistence/data_directory.h"
#include "persistence/profile_file.h"
#include "platform/text_encoding.h"
#include "skin/file_dialogs.h"
#include "skin/list.h"

namespace nimba {
namespace {

constexpr int kProfileRowHeight = 22;
constexpr DWORD kPathChars = 260;
// Description and patterns, each NUL-terminated; the literal's own NUL ends the list.
constexpr wchar_t kProfileFilter[] = L"Profile Flie\0*.pro;*.PRO\0";

// A profile file dialog over `owner` writing its path into `path`.
OPENFILENAMEW ProfileFileDialog(HWND owner, wchar_t (&path)[kPathChars], DWORD flags,
                                const std::wstring& folder) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kProfileFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathChars;
    ofn.Flags = flags;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    return ofn;
}

bool Inside(const ProfileList& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

}  // namespace

ProfileListActions::ProfileListActions(ProfileStore& store, MacroStore& macros, PageHooks hooks)
    : store_(store), macros_(macros), hooks_(std::move(hooks)) {}

void ProfileListActions::Bind(HWND window, CListUI* list) {
    window_ = window;
    list_ = list;
}

void ProfileListActions::ShowList() {
    const auto [names, current] =
        store_.Edit([](const ProfileList& profiles, const ProfileStoreHeader& header) {
            std::vector<std::u16string> list;
            for (const auto& profile : profiles) list.emplace_back(NameView(profile->name));
            return std::pair{list, header.current_profile_index};
        });
    if (list_ == nullptr) return;
    list_->RemoveAll();
    for (const auto& name : names) AddRow(name);
    // Made without a notification: the start-up selection is not a switch.
    SelectRow(current);
}

bool ProfileListActions::OnClick(const CControlUI& sender) {
    const std::u16string& name = sender.GetName();
    if (name == u"ms_1_profile_add_btn") {
        AddProfile();
    } else if (name == u"ms_1_profile_delete_btn") {
        DeleteProfile();
    } else if (name == u"ms_1_profile_rename_btn") {
        RenameProfile();
    } else if (name == u"ms_1_profile_reset_btn" || name == u"ms_1_btn_reset") {
        ResetProfile();
    } else if (name == u"ms_1_profile_import_btn") {
        ImportProfileFile();
    } else if (name == u"ms_1_profile_export_btn") {
        ExportProfileFile();
    } else {
        return false;
    }
    return true;
}

void ProfileListActions::SwitchProfile(int index) {
    const int current = store_.Edit([&](const ProfileList& list, ProfileStoreHeader& header) {
        if (Inside(list, index)) header.current_profile_index = index;
        return header.current_profile_index;
    });
    // A row that is no profile (the user cleared the selection) keeps the current one.
    SelectRow(current);
    if (current != index) return;
    hooks_.show_profile();
    hooks_.status_changed();
    hooks_.save();
    hooks_.apply_whole();
}

void ProfileListActions::AddProfile() {
    const std::optional<std::u16string> name =
        AskProfileName(window_, u"profile_name_1_text", store_);
    if (!name) return;
    const int index = store_.Edit([&](ProfileList& list, const ProfileStoreHeader&) {
        list.push_back(NewProfile(*name));
        return static_cast<int>(list.size()) - 1;
    });
    AddRow(*name);
    SwitchProfile(index);
}

void ProfileListActions::DeleteProfile() {
    const size_t count =
        store_.Edit([](const ProfileList& list, const ProfileStoreHeader&) { return list.size(); });
    if (count <= 1) {
        Tell(u"one_profile_text");
        return;
    }
    const std::string name = CurrentName();
    const bool followed = hooks_.followed && hooks_.followed(name);
    if (ShowMessageBox(window_,
                       followed ? u"delete_followed_profile_text" : u"delete_profile_text") != 1)
        return;
    // The record goes only after its successor is current.
    std::unique_ptr<ProfileRecord> removed;
    const auto [deleted, next] = store_.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
        const int index = header.current_profile_index;
        if (list.size() <= 1 || !Inside(list, index)) return std::pair{-1, -1};
        removed = std::move(list[static_cast<size_t>(index)]);
        list.erase(list.begin() + index);
        // The next profile takes the deleted one's place, or the one before it at the end.
        const int successor = std::min(index, static_cast<int>(list.size()) - 1);
        header.current_profile_index = successor;
        return std::pair{index, successor};
    });
    if (deleted < 0) return;
    if (list_ != nullptr) list_->RemoveAt(deleted);
    if (hooks_.deleted) hooks_.deleted(name);
    SwitchProfile(next);
}

void ProfileListActions::RenameProfile() {
    const std::optional<std::u16string> name =
        AskProfileName(window_, u"profile_name_2_text", store_);
    if (!name) return;
    const std::string old_name = CurrentName();
    const int index = store_.Edit([&](ProfileList& list, const ProfileStoreHeader& header) {
        const int current = header.current_profile_index;
        if (!Inside(list, current)) return -1;
        CopyName(list[static_cast<size_t>(current)]->name, *name);
        return current;
    });
    if (index < 0) return;
    if (list_ != nullptr) {
        if (CControlUI* row = list_->GetItemAt(index)) row->SetText(*name);
    }
    // A name is not sent to the mouse, so nothing else would store it.
    hooks_.save();
    if (hooks_.renamed) hooks_.renamed(old_name, Utf16ToUtf8(*name));
    hooks_.status_changed();
}

void ProfileListActions::ResetProfile() {
    if (ShowMessageBox(window_, u"restore_text") != 1) return;
    const bool reset = store_.Edit([](ProfileList& list, const ProfileStoreHeader& header) {
        if (!Inside(list, header.current_profile_index)) return false;
        FillProfileDefaults(*list[static_cast<size_t>(header.current_profile_index)]);
        return true;
    });
    if (!reset) return;
    hooks_.show_profile();
    hooks_.save();
    hooks_.apply_whole();
}

void ProfileListActions::ImportProfileFile() {
    wchar_t path[kPathChars] = {};
    const std::wstring folder = platform::FromUtf8(FileDialogFolder());
    OPENFILENAMEW ofn = ProfileFileDialog(
        window_, path, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, folder);
    if (!GetOpenFileNameW(&ofn)) return;
    const ImportResult result = ImportProfile(platform::ToUtf8(path), store_, macros_);
    if (result.status != ImportStatus::kImported) {
        Tell(result.status == ImportStatus::kTruncated  ? u"profile_file_short_text"
             : result.status == ImportStatus::kNotAFile ? u"file_not_regular_text"
                                                        : u"profile_file_unreadable_text");
        return;
    }
    const std::u16string name =
        store_.Edit([&](const ProfileList& list, const ProfileStoreHeader&) {
            return std::u16string(NameView(list[static_cast<size_t>(result.index)]->name));
        });
    AddRow(name);
    SwitchProfile(result.index);
    if (!result.saved) Tell(u"profile_save_failed_text");
}

void ProfileListActions::ExportProfileFile() {
    wchar_t path[kPathChars] = {};
    const std::wstring folder = platform::FromUtf8(FileDialogFolder());
    OPENFILENAMEW ofn = ProfileFileDialog(
        window_, path, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, folder);
    ofn.lpstrDefExt = L"pro";
    if (!GetSaveFileNameW(&ofn)) return;
    auto profile = std::make_unique<ProfileRecord>();
    if (!store_.CopyCurrentProfile(*profile)) return;
    // The file is replaced whole or not at all, so a failed export keeps what was there.
    if (!ExportProfile(platform::ToUtf8(path), *profile)) Tell(u"profile_export_failed_text");
}

void ProfileListActions::AddRow(std::u16string_view name) {
    if (list_ == nullptr) return;
    auto* row = new CListLabelElementUI;
    row->SetText(name);
    row->SetFixedHeight(kProfileRowHeight);
    list_->Add(row);
}

void ProfileListActions::SelectRow(int index) {
    if (list_ != nullptr) list_->SelectItem(index);
}

std::string ProfileListActions::CurrentName() {
    return store_.Edit([](const ProfileList& list, const ProfileStoreHeader& header) {
        const int index = header.current_profile_index;
        return Inside(list, index) ? Utf16ToUtf8(NameView(list[static_cast<size_t>(index)]->name))
                                   : std::string();
    });
}

void ProfileListActions::Tell(std::u16string message_key) {
    ShowMessageBox(window_, std::move(message_key));
}

}  // namespace nimba
