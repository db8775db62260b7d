#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "persistence/profile_store.h"

namespace nimba {

// Writes the profile store on a thread of its own, so that no one who changes it waits for the
// disk: requests made within a short while, or while a save runs, become one save. What a user must
// hear of goes to `report`, on the saver's thread, once per run of the same trouble: the first
// failed or busy save after one that went through, and every change another process made to the
// file.
class ProfileSaver {
public:
    using Write = ProfileStore::Write;
    using Report = std::function<void(Write)>;

    ProfileSaver(ProfileStore& store, Report report);
    // A save still requested is written first.
    ~ProfileSaver();

    void Request();
    // Returns once every save requested before the call has been tried (and is written, unless
    // it failed or another process keeps the stores).
    void Flush();

private:
    void Run(std::stop_token stop);
    void Tell(Write outcome);

    ProfileStore& store_;
    Report report_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    bool requested_ = false;
    bool writing_ = false;
    bool busy_ = false;  // the last try found the stores locked: it is tried again
    int flushing_ = 0;   // callers of Flush waiting: no more gathering
    Write last_ = Write::kSaved;
    std::jthread thread_;  // last: it starts once the rest is there
};

}  // namespace nimba
