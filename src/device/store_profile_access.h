#pragma once

#include "device/profile_access.h"
#include "persistence/profile_store.h"

namespace nimba {

// The current profile of a profile store, under the store's lock.
class StoreProfileAccess final : public ProfileAccess {
public:
    explicit StoreProfileAccess(ProfileStore& store) : store_(store) {}

    std::optional<ProfileRecord> CopyCurrent() override;
    ProfileRecord UpdateCurrent(const std::function<void(ProfileRecord&)>& change) override;
    void Save() override { store_.Save(); }

private:
    ProfileStore& store_;
};

}  // namespace nimba
