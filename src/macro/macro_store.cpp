#include "macro/macro_store.h"

#include <algorithm>
#include <cstring>

#include "model/utf16.h"
#include "persistence/atomic_file.h"
#include "persistence/damaged_copy.h"
#include "persistence/data_directory.h"
#include "persistence/file_stream.h"
#include "persistence/store_files.h"
#include "persistence/store_lock.h"
#include "persistence/unique_name.h"

namespace nimba {

bool WriteMacroList(OutputStream& out, const MacroList& macros) {
    for (const auto& record : macros) {
        if (!WriteRecord(out, *record)) return false;
    }
    return true;
}

bool ReadMacroList(InputStream& in, MacroList& macros) {
    bool whole = true;
    for (;;) {
        auto record = std::make_unique<MacroRecord>();
        const size_t read = ReadRecord(in, *record);
        if (read == 0) return whole;
        // A damaged store must not make anyone read past the 46 actions.
        const int32_t count = std::clamp(record->action_count, 0, kMaxMacroActions);
        whole = whole && read == sizeof(MacroRecord) && count == record->action_count;
        record->action_count = count;
        macros.push_back(std::move(record));
    }
}

MacroStore::MacroStore(std::string data_directory, TextLookup text)
    : data_directory_(std::move(data_directory)), text_(std::move(text)) {}

std::string MacroStore::FilePath() const {
    return MacroStorePath(data_directory_);
}

StoreLoad MacroStore::Load(StoreAccess access) {
    // Files are replaced whole, so a read goes on even when another process keeps the lock.
    const auto stores = StoreLock::Take(data_directory_, kStoreLockWait);
    if (!stores) access = StoreAccess::kUnlocked;
    std::lock_guard lock(mutex_);
    macros_.clear();
    unreadable_ = false;
    if (access != StoreAccess::kUnlocked) CompleteStoreWrites(data_directory_);
    OpenFailure failure;
    auto in = FileInputStream::Open(FilePath(), &failure);
    if (!in) {
        // No macros yet is the first run; anything else is the user's macros out of reach.
        unreadable_ = failure.problem != FileProblem::kMissing;
        if (!unreadable_) return {};
        return {StoreLoad::Outcome::kUnreadable, DescribeOpenFailure(failure)};
    }
    if (ReadMacroList(*in, macros_) || access == StoreAccess::kReadOnly) return {};
    // The mended list must not be saved over bytes that were not kept.
    if (access == StoreAccess::kUnlocked) {
        unreadable_ = true;
        return {StoreLoad::Outcome::kUnreadable, kDamagedWhileLocked};
    }
    // The next save writes the mended list; the bytes as they were are kept beside it.
    const std::optional<std::string> copy = KeepDamagedCopy(FilePath());
    unreadable_ = !copy;
    if (!copy) return {StoreLoad::Outcome::kUnreadable, kDamagedNotKept};
    return {StoreLoad::Outcome::kSetAside, *copy};
}

bool MacroStore::Save() {
    std::lock_guard lock(mutex_);
    return SaveLocked();
}

bool MacroStore::SaveWith(const std::function<bool(const FileReplacement&)>& save) const {
    std::lock_guard lock(mutex_);
    return SaveWithLocked(save);
}

bool MacroStore::SaveLocked() const {
    return SaveWithLocked(
        [](const FileReplacement& file) { return WriteFileAtomically(file.path, file.write); });
}

bool MacroStore::SaveWithLocked(const std::function<bool(const FileReplacement&)>& save) const {
    if (unreadable_) return false;
    const auto stores = StoreLock::Take(data_directory_, kStoreLockWait);
    if (!stores) return false;
    EnsureFolder(data_directory_ + kStoreFolder);
    return save({FilePath(), [this](OutputStream& out) { return WriteMacroList(out, macros_); }});
}

bool MacroStore::NameExists(std::u16string_view name) const {
    std::lock_guard lock(mutex_);
    return IsNameTaken(macros_, name);
}

std::u16string MacroStore::UniqueName(std::u16string_view candidate) const {
    std::lock_guard lock(mutex_);
    return NameForNewRecord(macros_, candidate, kMacroNameChars, kMacroNameChars);
}

int MacroStore::AppendLocked(std::unique_ptr<MacroRecord> record) {
    macros_.push_back(std::move(record));
    return static_cast<int>(macros_.size()) - 1;
}

std::u16string MacroStore::FreeNameLocked(std::u16string_view wanted) const {
    // A nameless macro would be a blank row and a button reading "Macro: ".
    const std::u16string name =
        wanted.empty() ? text_(u"add_macro_text") + Utf8ToUtf16(std::to_string(macros_.size() + 1))
                       : std::u16string(wanted);
    return NameForNewRecord(macros_, name, kMacroNameChars, kMacroNameChars);
}

MacroStore::Created MacroStore::CreateNewMacro() {
    std::lock_guard lock(mutex_);
    auto record = std::make_unique<MacroRecord>();
    CopyName(record->name, FreeNameLocked({}));
    MacroRecord* created = record.get();
    AppendLocked(std::move(record));
    return {created, SaveLocked()};
}

bool MacroStore::Remove(int index) {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<size_t>(index) >= macros_.size()) return true;
    macros_.erase(macros_.begin() + index);
    return SaveLocked();
}

MacroStore::Match MacroStore::FindIdentical(const ButtonAssignment& button) const {
    std::lock_guard lock(mutex_);
    const std::u16string_view name = NameView(button.macro_name);
    for (size_t i = 0; i < macros_.size(); ++i) {
        const MacroRecord& record = *macros_[i];
        if (!EqualsIgnoringCase(NameView(record.name), name)) continue;
        // A count beyond the action array cannot match anything a button holds.
        const bool identical =
            record.action_count == button.macro_action_count &&
            record.action_count <= kMaxMacroActions &&
            std::memcmp(record.actions, button.macro_actions,
                        sizeof(MacroAction) * static_cast<size_t>(record.action_count)) == 0;
        return {identical, static_cast<int>(i)};
    }
    return {false, -1};
}

int MacroStore::AddFromButton(ButtonAssignment& button) {
    std::lock_guard lock(mutex_);
    auto record = std::make_unique<MacroRecord>();
    const std::u16string name = FreeNameLocked(NameView(button.macro_name));
    CopyName(record->name, name);
    CopyName(button.macro_name, name);
    record->loop_count = button.macro_loop_count;
    // The button's count comes from a file; neither can hold more than the array, and the
    // two must agree for the button to be recognised as running this macro.
    record->action_count = std::min<int>(button.macro_action_count, kMaxMacroActions);
    button.macro_action_count = static_cast<uint16_t>(record->action_count);
    std::memcpy(record->actions, button.macro_actions, sizeof(record->actions));
    button.macro_index = AppendLocked(std::move(record));
    return button.macro_index;
}

int MacroStore::Add(MacroRecord record) {
    std::lock_guard lock(mutex_);
    CopyName(record.name, FreeNameLocked(NameView(record.name)));
    return AppendLocked(std::make_unique<MacroRecord>(record));
}

size_t MacroStore::Size() const {
    std::lock_guard lock(mutex_);
    return macros_.size();
}

bool MacroStore::CopyRecord(int index, MacroRecord& out) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<size_t>(index) >= macros_.size()) return false;
    out = *macros_[index];
    return true;
}

}  // namespace nimba
