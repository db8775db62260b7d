#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/profile_record.h"
#include "model/text_lookup.h"
#include "persistence/byte_stream.h"
#include "persistence/file_stamp.h"
#include "persistence/store_files.h"
#include "persistence/store_load.h"

namespace nimba {

class MacroStore;

// The block in front of the records of pro.data (164964 bytes).
struct ProfileStoreHeader {
    int32_t current_profile_index;
    // Room for five records. Never interpreted; a loaded store writes back what it read.
    uint8_t reserved_slots[5 * sizeof(ProfileRecord)];
};
static_assert(sizeof(ProfileStoreHeader) == 164964);
static_assert(offsetof(ProfileStoreHeader, reserved_slots) == 4);

// Records are allocated one by one so that a pointer to one stays valid while it is listed.
using ProfileList = std::vector<std::unique_ptr<ProfileRecord>>;

bool WriteProfileStore(OutputStream& out, const ProfileList& profiles,
                       const ProfileStoreHeader& header);
// Fills the header and appends every record; missing bytes (a short file) are zero.
void ReadProfileStore(InputStream& in, ProfileList& profiles, ProfileStoreHeader& header);

// Replaces pro.data with the header and the list; false when that failed (the old file stays).
[[nodiscard]] bool SaveProfileStore(const std::string& data_directory, const ProfileList& profiles,
                                    const ProfileStoreHeader& header);
// Fills an empty list and the header from pro.data. A missing store, or one that holds no
// record, is replaced by a new one with one default profile (a copy of a damaged one is kept);
// one that is there but cannot be read is left alone, with a default profile in the list.
// A current index outside the list selects the first profile. Saves that a killed process left
// half done are completed or dropped first, even read-only (the store is then as its last save
// decided); read-only, a damaged store is not mended. kUnlocked writes nothing: a missing store
// is not made, and a damaged one is unreadable.
StoreLoad LoadProfileStore(const std::string& data_directory, ProfileList& profiles,
                           ProfileStoreHeader& header, const TextLookup& text,
                           StoreAccess access = StoreAccess::kReadWrite);
// Appends a profile named from "add_profile_text" and the new count, made unique.
ProfileRecord* CreateDefaultProfile(ProfileList& profiles, const TextLookup& text);

// The profile list and header with the one lock that keeps saves and edits apart: every save
// holds it while it reads the list, every change of the list holds it, and the apply worker
// copies the current profile under it. Reading and writing pro.data hold the lock of the
// stores (StoreLock) against other processes.
class ProfileStore {
public:
    // How a write of the store ended.
    enum class Write {
        kSaved,
        kFailed,         // the old file stays
        kBusy,           // another process held the stores' lock for the whole wait
        kChangedOnDisk,  // another process wrote the store since it was last read: read it first
        kRefused,        // the list stands in for a store that could not be read (user told)
    };
    // How a read of the store ended.
    enum class Read { kTaken, kMerged, kBusy };

    // `text` gives "add_profile_text", the stem of the name of a first profile.
    ProfileStore(std::string data_directory, TextLookup text);

    // Reads the store; when another process keeps the stores locked, kUnlocked.
    StoreLoad Load(StoreAccess access = StoreAccess::kReadWrite);
    // Every write below refuses, writing nothing, while the list stands in for a store that
    // could not be read, and over a store another process changed since it was read here.

    // Writes the list as it is, holding the list's lock for the write; false when it did not.
    [[nodiscard]] bool Save();
    // Saves this store and `macros` so that both are replaced or neither, even when the
    // process is killed on the way.
    [[nodiscard]] bool SaveTogether(MacroStore& macros);
    // Writes a copy of the list taken under the list's lock, so that edits go on while the file
    // is written.
    [[nodiscard]] Write SaveCopy(std::chrono::milliseconds lock_wait);
    // Reads the store again after another process changed it. Edits of the current profile made
    // here since the last read or write (word by word) are kept over the ones read: kMerged,
    // and the store needs a save.
    [[nodiscard]] Read Reload();

    // Runs `edit(ProfileList&, ProfileStoreHeader&)` under the lock and returns its result. One
    // that takes both as const only looks and counts as no change.
    template <typename Change>
    decltype(auto) Edit(Change&& edit) {
        std::lock_guard lock(mutex_);
        if constexpr (!std::is_invocable_v<Change&, const ProfileList&,
                                           const ProfileStoreHeader&>) {
            ++changes_;
            all_changed_ = true;
        }
        return std::forward<Change>(edit)(profiles_, *header_);
    }

    // Changes the current profile under the lock; false when the index names no profile.
    bool EditCurrentProfile(const std::function<void(ProfileRecord&)>& change);
    // Copies the current profile; false when the list is empty.
    bool CopyCurrentProfile(ProfileRecord& out) const;

    const std::string& data_directory() const { return data_directory_; }

private:
    // Reads pro.data; with `merge`, keeps the edits of the current profile made since `synced_`
    // (then `merged`).
    StoreLoad ReadStore(bool merge, StoreAccess access, bool& merged);
    // Under the stores' lock, before a write: why the list must not be written, if it must not.
    std::optional<Write> RefusedWrite() const;
    // Copies the list and header into `copy_` as they are at one moment.
    void CopyForSave();
    // After a read or write: what pro.data now holds of the current profile.
    void Synced(const ProfileList& list, int32_t index);

    std::string data_directory_;
    TextLookup text_;
    mutable std::mutex mutex_;
    ProfileList profiles_;
    std::unique_ptr<ProfileStoreHeader> header_;  // 161 KB, kept off the stack
    bool unreadable_ = false;
    uint64_t changes_ = 0;  // counts every change of the two
    // Since the last copy for a save: whether anything but the current profile may have
    // changed (an Edit, a read), else the records changed as the current profile.
    bool all_changed_ = true;
    std::vector<int32_t> changed_;

    // One read or write of the file at a time; the fields below belong to it.
    std::timed_mutex file_mutex_;
    FileStamp stamp_;                        // pro.data as last read or written here
    std::unique_ptr<ProfileRecord> synced_;  // its current profile then; none when it had none
    ProfileList copy_;                       // the list as SaveCopy writes it, kept for reuse
    std::unique_ptr<ProfileStoreHeader> copy_header_;
};

}  // namespace nimba
