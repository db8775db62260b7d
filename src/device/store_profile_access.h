#pragma once

#include <functional>
#include <utility>

#include "device/profile_access.h"
#include "persistence/profile_store.h"

namespace nimba {

// The current profile of a profile store, under the store's lock, saved by `save` (which
// reports its own failures).
class StoreProfileAccess final : public ProfileAccess {
public:
    StoreProfileAccess(ProfileStore& store, std::function<void()> save)
        : store_(store), save_(std::move(save)) {}

    std::optional<ProfileRecord> CopyCurrent() override;
    ProfileRecord UpdateCurrent(const std::function<void(ProfileRecord&)>& change) override;
    void Save() override { save_(); }

private:
    ProfileStore& store_;
    std::function<void()> save_;
};

}  // namespace nimba
