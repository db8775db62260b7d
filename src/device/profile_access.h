#pragma once

#include <functional>
#include <mutex>

#include "model/profile_record.h"

namespace nimba {

// The current profile of the profile store as the device layer reaches it. Each call holds
// the store's lock, so the worker, the window thread and the notice path never see a half
// written record.
class ProfileAccess {
public:
    virtual ~ProfileAccess() = default;
    virtual ProfileRecord CopyCurrent() = 0;
    // Changes the current profile and returns a copy of it as changed.
    virtual ProfileRecord UpdateCurrent(const std::function<void(ProfileRecord&)>& change) = 0;
    // Writes the current index and the whole profile list to disk.
    virtual void Save() = 0;
};

// What the mouse is believed to hold. Written by the worker at the end of an apply and by the
// notice handling on the window thread, hence its own lock.
class AppliedSnapshot {
public:
    ProfileRecord Get() const {
        std::lock_guard lock(mutex_);
        return record_;
    }
    void Set(const ProfileRecord& record) {
        std::lock_guard lock(mutex_);
        record_ = record;
    }

private:
    mutable std::mutex mutex_;
    ProfileRecord record_{};
};

}  // namespace nimba
