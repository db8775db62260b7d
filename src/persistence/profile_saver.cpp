#include "persistence/profile_saver.h"

namespace nimba {
namespace {

// The saver's thread may wait longer than the window could; the user hears of it all the same.
constexpr auto kBusyWait = std::chrono::milliseconds(1000);
// Notices come in bursts tens of milliseconds apart (the DPI button pressed over and over): one
// save after the burst holds them all, where a save each would keep the disk and processor busy.
constexpr auto kGather = std::chrono::milliseconds(300);

}  // namespace

ProfileSaver::ProfileSaver(ProfileStore& store, Report report)
    : store_(store),
      report_(std::move(report)),
      thread_([this](std::stop_token stop) { Run(stop); }) {}

ProfileSaver::~ProfileSaver() {
    thread_.request_stop();
    wake_.notify_all();
}

void ProfileSaver::Request() {
    {
        std::lock_guard lock(mutex_);
        requested_ = true;
    }
    wake_.notify_all();
}

void ProfileSaver::Flush() {
    std::unique_lock lock(mutex_);
    ++flushing_;
    wake_.notify_all();
    // Another process keeping the stores is the user's to hear of, not a reason to hang.
    wake_.wait(lock, [this] { return !writing_ && (!requested_ || busy_); });
    --flushing_;
}

void ProfileSaver::Run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, stop, [this] { return requested_; });
        // At the end, a save still asked for is written before the thread goes.
        if (!requested_) return;
        wake_.wait_for(lock, stop, kGather, [this] { return flushing_ > 0; });
        requested_ = false;
        writing_ = true;
        lock.unlock();
        const Write outcome = store_.SaveCopy(kBusyWait);
        Tell(outcome);
        lock.lock();
        writing_ = false;
        busy_ = outcome == Write::kBusy;
        // Another process is writing: this save comes again once it is done. A failed write
        // waits for the next change, as a full disk would fail again at once.
        if (outcome == Write::kBusy && !stop.stop_requested()) requested_ = true;
        wake_.notify_all();
    }
}

void ProfileSaver::Tell(Write outcome) {
    const bool again = outcome == last_ && outcome != Write::kChangedOnDisk;
    last_ = outcome;
    if (outcome != Write::kSaved && !again && report_) report_(outcome);
}

}  // namespace nimba
