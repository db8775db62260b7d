#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macro/macro_record.h"
#include "model/profile_record.h"
#include "model/text_lookup.h"
#include "persistence/atomic_file.h"
#include "persistence/byte_stream.h"
#include "persistence/store_load.h"

namespace nimba {

using MacroList = std::vector<std::unique_ptr<MacroRecord>>;

bool WriteMacroList(OutputStream& out, const MacroList& macros);
// Appends every record the stream holds; a trailing partial record is zero-filled and action
// counts are held to the action array. False when any record had to be mended so.
bool ReadMacroList(InputStream& in, MacroList& macros);

// The ordered macro list and its file macro.data. Records keep their address while they are
// in the list. Every operation takes the store's own lock, so a save never sees the list
// change under it.
class MacroStore {
public:
    struct Match {
        bool identical;
        int index;  // -1 when no record has the name
    };

    // `data_directory` ends in "/"; the file lives in its store folder. `text` gives
    // "add_macro_text", the stem of new macros' names.
    MacroStore(std::string data_directory, TextLookup text);

    struct Created {
        MacroRecord* record;
        bool saved;
    };

    // Reads the store; when another process keeps the stores locked, kUnlocked.
    StoreLoad Load(StoreAccess access = StoreAccess::kReadWrite);
    // Rewrites macro.data from the whole list; false when the file could not be replaced,
    // another process kept the stores locked, and at once while the list stands in for a store
    // that could not be read (the list stays as it is).
    [[nodiscard]] bool Save();
    // Runs `save` with the replacement of macro.data under the store's lock, for a save
    // joined with the profile store's; false without running it when Save would refuse.
    [[nodiscard]] bool SaveWith(const std::function<bool(const FileReplacement&)>& save) const;

    bool NameExists(std::u16string_view name) const;
    std::u16string UniqueName(std::u16string_view candidate) const;
    // Appends a zero-filled macro named from "add_macro_text" and the new count, then saves.
    [[nodiscard]] Created CreateNewMacro();
    // Removes the record (the rest moves up), then saves; false when the save failed.
    // Out-of-range indices are ignored.
    [[nodiscard]] bool Remove(int index);
    // The first record named like the button's macro, and whether its actions are the same.
    Match FindIdentical(const ButtonAssignment& button) const;
    // Both name a macro without a name as a new macro is named.
    // Appends a copy of the button's macro under a free name, and points the button at it
    // (name and index). Does not save: a profile import saves once after all its buttons.
    int AddFromButton(ButtonAssignment& button);
    // Appends `record` under a free name (cut to the name field). Does not save.
    int Add(MacroRecord record);

    size_t Size() const;
    // Copies the record at `index`; false when there is none.
    bool CopyRecord(int index, MacroRecord& out) const;

    // Runs `edit(MacroList&)` under the store's lock.
    template <typename Change>
    decltype(auto) Edit(Change&& edit) {
        std::lock_guard lock(mutex_);
        return std::forward<Change>(edit)(macros_);
    }

    std::string FilePath() const;

private:
    [[nodiscard]] bool SaveLocked() const;
    [[nodiscard]] bool SaveWithLocked(
        const std::function<bool(const FileReplacement&)>& save) const;
    int AppendLocked(std::unique_ptr<MacroRecord> record);
    std::u16string FreeNameLocked(std::u16string_view wanted) const;

    std::string data_directory_;
    TextLookup text_;
    mutable std::mutex mutex_;
    MacroList macros_;
    bool unreadable_ = false;
};

}  // namespace nimba
