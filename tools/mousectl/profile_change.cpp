#include "mousectl/profile_change.h"

#include <limits>

#include "device/device_messages.h"
#include "device/store_profile_access.h"
#include "mousectl/commands.h"
#include "mousectl/device_session.h"
#include "mousectl/running_program.h"

namespace nimba::mousectl {
namespace {

// How long the mouse has to make itself known after the links start.
constexpr uint32_t kMouseWaitMs = 3000;

bool AnyLinkUp(const LinkState& links) {
    return links.wired_link == 1 || links.wireless_link == 1 || links.ble_link == 1;
}

}  // namespace

int ApplyToMouse(ProfileStore& profiles, const ProfileRecord& mouse_holds, bool whole,
                 std::ostream& err) {
    // One process writes to the mouse at a time: the running program, when there is one.
    switch (TellRunningProgram(profiles.data_directory(),
                               whole ? StoresApply::kAll : StoresApply::kChanged, err)) {
        case ProgramReply::kNotRunning:
            break;
        case ProgramReply::kDone:
            return kExitOk;
        case ProgramReply::kNoMouse:
            err << "nimba-mousectl: no mouse\n";
            return kExitNoMouse;
        case ProgramReply::kNoAnswer:
            return kExitFailure;
    }
    StoreProfileAccess profile(profiles, SaveOrSay(profiles, err));
    DeviceSession device(profile);
    LinkState& links = device.links();
    if (links.any_link == 0 ||
        !device.RunUntil([&] { return links.awaiting_device == 0; }, kMouseWaitMs)) {
        err << "nimba-mousectl: no mouse\n";
        return kExitNoMouse;
    }
    device.apply().applied_snapshot.Set(mouse_holds);
    device.apply().apply_all = whole ? 1 : 0;
    device.manager().HandleWindowMessage(kApplyRequestMessage, 0, 0);
    // The worker drops a request when every link went away before it ran.
    device.RunUntil([&] { return device.controls.apply_finished.load() || !AnyLinkUp(links); },
                    std::numeric_limits<uint32_t>::max());
    if (device.controls.mouse_behind.load()) {
        err << "nimba-mousectl: the mouse did not take every setting\n";
        return kExitNoMouse;
    }
    return kExitOk;
}

ProfileRecord CurrentProfile(ProfileStore& profiles) {
    ProfileRecord copy{};
    profiles.CopyCurrentProfile(copy);
    return copy;
}

void ReplaceCurrentProfile(ProfileStore& profiles, const ProfileRecord& changed) {
    profiles.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
        *list[header.current_profile_index] = changed;
    });
}

int StoresSaved(StoreSession& session, std::ostream& err) {
    // The running program reads the stores now: the lock must be free for it.
    session.Unlock();
    return TellRunningProgram(session.profiles.data_directory(), StoresApply::kNone, err) ==
                   ProgramReply::kNoAnswer
               ? kExitFailure
               : kExitOk;
}

int FinishChange(StoreSession& session, const ProfileRecord& before, bool whole, bool apply,
                 std::ostream& err, const std::function<void()>& saved) {
    if (!session.profiles.Save()) {
        err << "nimba-mousectl: cannot save the profile store\n";
        return kExitFailure;
    }
    if (saved) saved();
    if (!apply) return StoresSaved(session, err);
    session.Unlock();
    return ApplyToMouse(session.profiles, before, whole, err);
}

}  // namespace nimba::mousectl
