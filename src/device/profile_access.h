#pragma once

#include <cstring>
#include <functional>
#include <mutex>
#include <optional>

#include "model/profile_record.h"

namespace nimba {

// The current profile of the profile store as the device layer reaches it. Each call holds
// the store's lock, so the worker, the window thread and the notice path never see a half
// written record.
class ProfileAccess {
public:
    virtual ~ProfileAccess() = default;
    // Nothing when there is no current profile (an empty list).
    virtual std::optional<ProfileRecord> CopyCurrent() = 0;
    // Changes the current profile and returns a copy of it as changed.
    virtual ProfileRecord UpdateCurrent(const std::function<void(ProfileRecord&)>& change) = 0;
    // Has the current index and the whole profile list written to disk, now or soon; whoever
    // provides the access tells the user when that fails.
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
    // A notice: the mouse reported this change itself.
    void Update(const std::function<void(ProfileRecord&)>& change) {
        std::lock_guard lock(mutex_);
        change(record_);
    }
    // The end of an apply: the mouse now holds `sent`, except for what notices reported since
    // `seen` was read at the apply's start. Notices write whole 32-bit fields, so a word that
    // changed since then is theirs and stays.
    void TakeApplied(const ProfileRecord& sent, const ProfileRecord& seen) {
        std::lock_guard lock(mutex_);
        auto* now = reinterpret_cast<unsigned char*>(&record_);
        const auto* before = reinterpret_cast<const unsigned char*>(&seen);
        const auto* after = reinterpret_cast<const unsigned char*>(&sent);
        for (size_t at = 0; at < sizeof(ProfileRecord); at += sizeof(int32_t)) {
            if (std::memcmp(now + at, before + at, sizeof(int32_t)) == 0) {
                std::memcpy(now + at, after + at, sizeof(int32_t));
            }
        }
    }

private:
    mutable std::mutex mutex_;
    ProfileRecord record_{};
};

}  // namespace nimba
