#include "device/store_profile_access.h"

namespace nimba {

std::optional<ProfileRecord> StoreProfileAccess::CopyCurrent() {
    ProfileRecord copy{};
    if (!store_.CopyCurrentProfile(copy)) return std::nullopt;
    return copy;
}

ProfileRecord StoreProfileAccess::UpdateCurrent(const std::function<void(ProfileRecord&)>& change) {
    return store_.Edit([&](ProfileList& profiles, ProfileStoreHeader& header) {
        const int32_t index = header.current_profile_index;
        // An empty list has no current profile to change.
        if (index < 0 || static_cast<size_t>(index) >= profiles.size()) return ProfileRecord{};
        change(*profiles[index]);
        return *profiles[index];
    });
}

}  // namespace nimba
