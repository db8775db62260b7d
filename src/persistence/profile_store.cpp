#include "persistence/profile_store.h"

#include <algorithm>
#include <cstring>

#include "macro/macro_store.h"
#include "model/profile_defaults.h"
#include "model/utf16.h"
#include "persistence/atomic_file.h"
#include "persistence/damaged_copy.h"
#include "persistence/data_directory.h"
#include "persistence/file_stream.h"
#include "persistence/store_files.h"
#include "persistence/store_lock.h"
#include "persistence/unique_name.h"

namespace nimba {

bool WriteProfileStore(OutputStream& out, const ProfileList& profiles,
                       const ProfileStoreHeader& header) {
    if (!WriteRecord(out, header)) return false;
    for (const auto& profile : profiles) {
        if (!WriteRecord(out, *profile)) return false;
    }
    return true;
}

void ReadProfileStore(InputStream& in, ProfileList& profiles, ProfileStoreHeader& header) {
    if (ReadRecord(in, header) < sizeof(header)) return;
    for (;;) {
        // ReadRecord fills every byte, so the record needs no zeroing first.
        auto profile = std::make_unique_for_overwrite<ProfileRecord>();
        if (ReadRecord(in, *profile) == 0) return;
        profiles.push_back(std::move(profile));
    }
}

bool SaveProfileStore(const std::string& data_directory, const ProfileList& profiles,
                      const ProfileStoreHeader& header) {
    // The whole path: "Data" itself may have gone since the start.
    EnsureFolder(data_directory + kStoreFolder);
    return WriteFileAtomically(ProfileStorePath(data_directory), [&](OutputStream& out) {
        return WriteProfileStore(out, profiles, header);
    });
}

StoreLoad LoadProfileStore(const std::string& data_directory, ProfileList& profiles,
                           ProfileStoreHeader& header, const TextLookup& text, StoreAccess access) {
    profiles.clear();
    const std::string path = ProfileStorePath(data_directory);
    if (access != StoreAccess::kUnlocked) CompleteStoreWrites(data_directory);
    OpenFailure failure;
    if (auto in = FileInputStream::Open(path, &failure)) ReadProfileStore(*in, profiles, header);
    if (!profiles.empty()) {
        if (header.current_profile_index < 0 ||
            static_cast<size_t>(header.current_profile_index) >= profiles.size()) {
            header.current_profile_index = 0;
        }
        return {};
    }
    // A default profile stands in; whether the store may be replaced by it depends on what
    // was there.
    std::memset(&header, 0, sizeof(header));
    CreateDefaultProfile(profiles, text);
    if (failure.problem != FileProblem::kNone && failure.problem != FileProblem::kMissing) {
        return {StoreLoad::Outcome::kUnreadable, DescribeOpenFailure(failure)};
    }
    const bool damaged = failure.problem == FileProblem::kNone;
    if (access == StoreAccess::kUnlocked) {
        // Whoever holds the lock makes a missing store; the default must never be saved over
        // damaged bytes that were not kept.
        return damaged ? StoreLoad{StoreLoad::Outcome::kUnreadable, kDamagedWhileLocked}
                       : StoreLoad{};
    }
    // A damaged store is mended by a change, not by a look at it.
    if (access == StoreAccess::kReadOnly && damaged) return {};
    // Missing, empty or headless: start over as on the first run, keeping what was there.
    const std::optional<std::string> copy = KeepDamagedCopy(path);
    if (!copy) return {StoreLoad::Outcome::kUnreadable, kDamagedNotKept};
    // Unwritable, the program still runs with the default profile; its next save says so.
    (void)SaveProfileStore(data_directory, profiles, header);
    return copy->empty() ? StoreLoad{} : StoreLoad{StoreLoad::Outcome::kSetAside, *copy};
}

ProfileRecord* CreateDefaultProfile(ProfileList& profiles, const TextLookup& text) {
    const std::u16string base =
        text(u"add_profile_text") + Utf8ToUtf16(std::to_string(profiles.size() + 1));
    const std::u16string name =
        NameForNewRecord(profiles, base, kProfileNameChars, kProfileRuleChars);
    profiles.push_back(NewProfile(name));
    return profiles.back().get();
}

namespace {

// Takes over every 32-bit word of `mine` that differs from `base` (fields are whole words).
void KeepEdits(ProfileRecord& theirs, const ProfileRecord& base, const ProfileRecord& mine) {
    auto* out = reinterpret_cast<unsigned char*>(&theirs);
    const auto* before = reinterpret_cast<const unsigned char*>(&base);
    const auto* after = reinterpret_cast<const unsigned char*>(&mine);
    for (size_t at = 0; at < sizeof(ProfileRecord); at += sizeof(int32_t)) {
        if (std::memcmp(after + at, before + at, sizeof(int32_t)) != 0) {
            std::memcpy(out + at, after + at, sizeof(int32_t));
        }
    }
}

bool Inside(const ProfileList& list, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

}  // namespace

ProfileStore::ProfileStore(std::string data_directory, TextLookup text)
    : data_directory_(std::move(data_directory)),
      text_(std::move(text)),
      header_(std::make_unique<ProfileStoreHeader>()),
      copy_header_(std::make_unique<ProfileStoreHeader>()) {}

StoreLoad ProfileStore::Load(StoreAccess access) {
    std::lock_guard file(file_mutex_);
    // A first read goes on even when the lock stays busy, as files are replaced whole.
    const auto lock = StoreLock::Take(data_directory_, kStoreLockWait);
    bool merged = false;
    return ReadStore(false, lock ? access : StoreAccess::kUnlocked, merged);
}

ProfileStore::Read ProfileStore::Reload() {
    // The window thread calls this: a save of a large store under way is waited for briefly.
    std::unique_lock file(file_mutex_, kStoreLockWait);
    if (!file) return Read::kBusy;
    const auto lock = StoreLock::Take(data_directory_, kStoreLockWait);
    if (!lock) return Read::kBusy;
    bool merged = false;
    (void)ReadStore(true, StoreAccess::kReadWrite, merged);
    return merged ? Read::kMerged : Read::kTaken;
}

StoreLoad ProfileStore::ReadStore(bool merge, StoreAccess access, bool& merged) {
    ProfileList read;
    auto header = std::make_unique<ProfileStoreHeader>();
    const StoreLoad result = LoadProfileStore(data_directory_, read, *header, text_, access);
    stamp_ = StampOf(ProfileStorePath(data_directory_));
    const int32_t index = header->current_profile_index;
    std::unique_ptr<ProfileRecord> disk =
        Inside(read, index) ? std::make_unique<ProfileRecord>(*read[index]) : nullptr;
    {
        std::lock_guard guard(mutex_);
        unreadable_ = result.outcome == StoreLoad::Outcome::kUnreadable;
        const int32_t mine = header_->current_profile_index;
        // Only while the same profile is current here and there are its edits still the user's.
        if (merge && synced_ && disk && Inside(profiles_, mine) && mine == index &&
            std::memcmp(synced_->name, disk->name, sizeof(disk->name)) == 0 &&
            std::memcmp(profiles_[mine].get(), synced_.get(), sizeof(ProfileRecord)) != 0) {
            KeepEdits(*read[index], *synced_, *profiles_[mine]);
            merged = true;
        }
        profiles_.swap(read);
        std::swap(header_, header);
        ++changes_;
        all_changed_ = true;
    }
    synced_ = std::move(disk);
    return result;
}

bool ProfileStore::Save() {
    std::lock_guard file(file_mutex_);
    const auto lock = StoreLock::Take(data_directory_, kStoreLockWait);
    if (!lock || RefusedWrite()) return false;
    std::lock_guard guard(mutex_);
    if (!SaveProfileStore(data_directory_, profiles_, *header_)) return false;
    Synced(profiles_, header_->current_profile_index);
    return true;
}

bool ProfileStore::SaveTogether(MacroStore& macros) {
    std::lock_guard file(file_mutex_);
    const auto lock = StoreLock::Take(data_directory_, kStoreLockWait);
    if (!lock || RefusedWrite()) return false;
    std::lock_guard guard(mutex_);
    EnsureFolder(data_directory_ + kStoreFolder);
    const FileReplacement profile_file{ProfileStorePath(data_directory_), [&](OutputStream& out) {
                                           return WriteProfileStore(out, profiles_, *header_);
                                       }};
    const bool saved = macros.SaveWith([&](const FileReplacement& macro_file) {
        return ReplaceFilesTogether(StoreJournalPath(data_directory_), {macro_file, profile_file});
    });
    if (saved) Synced(profiles_, header_->current_profile_index);
    return saved;
}

ProfileStore::Write ProfileStore::SaveCopy(std::chrono::milliseconds lock_wait) {
    std::lock_guard file(file_mutex_);
    const auto lock = StoreLock::Take(data_directory_, lock_wait);
    if (!lock) return Write::kBusy;
    if (const std::optional<Write> refused = RefusedWrite()) return *refused;
    CopyForSave();
    if (!SaveProfileStore(data_directory_, copy_, *copy_header_)) return Write::kFailed;
    Synced(copy_, copy_header_->current_profile_index);
    return Write::kSaved;
}

std::optional<ProfileStore::Write> ProfileStore::RefusedWrite() const {
    {
        std::lock_guard guard(mutex_);
        // The stand-in of an unreadable store must never take the user's profiles' place.
        if (unreadable_) return Write::kRefused;
    }
    // A store that has gone holds nothing to lose: the write makes it again.
    const FileStamp now = StampOf(ProfileStorePath(data_directory_));
    if (now != FileStamp{} && now != stamp_) return Write::kChangedOnDisk;
    return std::nullopt;
}

void ProfileStore::CopyForSave() {
    {
        // Mostly only the current profile changed (notices, the page's controls): the copy
        // takes that record alone and holds the list's lock for microseconds.
        std::lock_guard guard(mutex_);
        if (!all_changed_ && copy_.size() == profiles_.size()) {
            for (const int32_t i : changed_) {
                std::memcpy(copy_[i].get(), profiles_[i].get(), sizeof(ProfileRecord));
            }
            std::memcpy(copy_header_.get(), header_.get(), sizeof(ProfileStoreHeader));
            changed_.clear();
            return;
        }
        all_changed_ = false;
        changed_.clear();
    }
    // A 1000-profile list takes milliseconds to copy: it goes a chunk at a time, so an edit
    // waits for one chunk at most, and counts only when no edit came in between. After a few
    // tries spoiled so, it goes in one piece.
    constexpr size_t kChunk = 16;
    constexpr int kTries = 3;
    for (int attempt = 1;; ++attempt) {
        std::unique_lock guard(mutex_);
        const uint64_t start = changes_;
        const size_t count = profiles_.size();
        const bool whole_at_once = attempt == kTries;
        if (!whole_at_once) guard.unlock();
        // Records are kept from the last save; new ones are made outside the list's lock.
        copy_.resize(count);
        for (auto& record : copy_) {
            if (!record) record = std::make_unique_for_overwrite<ProfileRecord>();
        }
        bool same = true;
        for (size_t i = 0; i < count && same; ++i) {
            if (!whole_at_once && i % kChunk == 0) {
                if (i > 0) guard.unlock();
                guard.lock();
                same = changes_ == start;
                if (!same) break;
            }
            std::memcpy(copy_[i].get(), profiles_[i].get(), sizeof(ProfileRecord));
        }
        if (!guard.owns_lock()) guard.lock();
        if (same && changes_ == start) {
            std::memcpy(copy_header_.get(), header_.get(), sizeof(ProfileStoreHeader));
            return;
        }
    }
}

void ProfileStore::Synced(const ProfileList& list, int32_t index) {
    stamp_ = StampOf(ProfileStorePath(data_directory_));
    synced_ = Inside(list, index) ? std::make_unique<ProfileRecord>(*list[index]) : nullptr;
}

bool ProfileStore::EditCurrentProfile(const std::function<void(ProfileRecord&)>& change) {
    std::lock_guard lock(mutex_);
    const int32_t index = header_->current_profile_index;
    if (index < 0 || static_cast<size_t>(index) >= profiles_.size()) return false;
    ++changes_;
    // Each index once: in a process that never saves (a watch) the list would grow unbounded.
    if (std::find(changed_.begin(), changed_.end(), index) == changed_.end()) {
        changed_.push_back(index);
    }
    change(*profiles_[index]);
    return true;
}

bool ProfileStore::CopyCurrentProfile(ProfileRecord& out) const {
    std::lock_guard lock(mutex_);
    if (profiles_.empty()) return false;
    const int32_t index = header_->current_profile_index;
    const bool inside = index >= 0 && static_cast<size_t>(index) < profiles_.size();
    out = *profiles_[inside ? index : 0];
    return true;
}

}  // namespace nimba
