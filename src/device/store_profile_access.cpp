#include "device/store_profile_access.h"

namespace nimba {

std::optional<ProfileRecord> StoreProfileAccess::CopyCurrent() {
    ProfileRecord copy{};
    if (!store_.CopyCurrentProfile(copy)) return std::nullopt;
    return copy;
}

ProfileRecord StoreProfileAccess::UpdateCurrent(const std::function<void(ProfileRecord&)>& change) {
    // An empty list has no current profile to change.
    ProfileRecord changed{};
    store_.EditCurrentProfile([&](ProfileRecord& profile) {
        change(profile);
        changed = profile;
    });
    return changed;
}

}  // namespace nimba
