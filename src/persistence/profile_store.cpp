#include "persistence/profile_store.h"

#include <cstring>

#include "macro/macro_store.h"
#include "model/profile_defaults.h"
#include "model/utf16.h"
#include "persistence/atomic_file.h"
#include "persistence/damaged_copy.h"
#include "persistence/data_directory.h"
#include "persistence/file_stream.h"
#include "persistence/store_files.h"
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
    CompleteStoreWrites(data_directory);
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
    // A damaged store is mended by a change, not by a look at it.
    if (access == StoreAccess::kReadOnly && failure.problem == FileProblem::kNone) return {};
    // Missing, empty or headless: start over as on the first run, keeping what was there.
    const std::optional<std::string> copy = KeepDamagedCopy(path);
    if (!copy) return {StoreLoad::Outcome::kUnreadable, kDamagedNotKept};
    SaveProfileStore(data_directory, profiles, header);
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

ProfileStore::ProfileStore(std::string data_directory, TextLookup text)
    : data_directory_(std::move(data_directory)),
      text_(std::move(text)),
      header_(std::make_unique<ProfileStoreHeader>()) {}

StoreLoad ProfileStore::Load(StoreAccess access) {
    std::lock_guard lock(mutex_);
    StoreLoad result = LoadProfileStore(data_directory_, profiles_, *header_, text_, access);
    unreadable_ = result.outcome == StoreLoad::Outcome::kUnreadable;
    return result;
}

bool ProfileStore::Save() {
    std::lock_guard lock(mutex_);
    // The stand-in of an unreadable store must never take the user's profiles' place.
    return !unreadable_ && SaveProfileStore(data_directory_, profiles_, *header_);
}

bool ProfileStore::SaveTogether(MacroStore& macros) {
    std::lock_guard lock(mutex_);
    if (unreadable_) return false;
    EnsureFolder(data_directory_ + kStoreFolder);
    const FileReplacement profile_file{ProfileStorePath(data_directory_), [&](OutputStream& out) {
                                           return WriteProfileStore(out, profiles_, *header_);
                                       }};
    return macros.SaveWith([&](const FileReplacement& macro_file) {
        return ReplaceFilesTogether(StoreJournalPath(data_directory_), {macro_file, profile_file});
    });
}

bool ProfileStore::EditCurrentProfile(const std::function<void(ProfileRecord&)>& change) {
    std::lock_guard lock(mutex_);
    const int32_t index = header_->current_profile_index;
    if (index < 0 || static_cast<size_t>(index) >= profiles_.size()) return false;
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
