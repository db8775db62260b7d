#include "device/apply_profile.h"

#include "device/device_messages.h"
#include "device/report_dispatcher.h"
#include "platform/messages.h"

namespace nimba {

void ApplyProfile(ApplyContext& context) {
    if (context.links.awaiting_device.load() == 1) {
        // Nothing goes to the mouse before it has made itself known, but the edit that asked
        // for this apply is kept: the program may end before the mouse is heard again.
        context.profile.Save();
        return;
    }
    // The snapshot is read before the profile: a notice arriving between the two reads then
    // costs a resend at worst, never a change the mouse does not get.
    const ProfileRecord seen = context.state.applied_snapshot.Get();
    // The copy taken here is what is sent and what becomes the snapshot, so an edit made
    // while the reports go out is sent by the next apply rather than lost. The same holds
    // for `apply_all` set again during this apply: it is taken and cleared here, not after.
    const std::optional<ProfileRecord> copy = context.profile.CopyCurrent();
    // Without a current profile there is nothing to send; zeros would be sent as settings.
    if (!copy) return;
    const ProfileRecord& current = *copy;
    KillTimer(context.window, kWirelessWatchdogTimer);
    context.controls.SetApplyRingVisible(true);

    const bool apply_all = context.state.apply_all.exchange(0) != 0;
    ChangeFlags& flags = context.state.flags;
    if (apply_all) {
        flags.SetAll();
    } else {
        flags = DetectChanges(current, seen);
    }
    for (const auto& report : ApplyReports(current, flags, apply_all)) {
        SendReport(report.data(), static_cast<uint32_t>(report.size()), context.links,
                   context.writers, context.stop);
    }

    SetTimer(context.window, kWirelessWatchdogTimer, kWirelessWatchdogMs);
    context.profile.Save();
    context.state.applied_snapshot.TakeApplied(current, seen);
    context.controls.SetApplyRingVisible(false);
}

}  // namespace nimba
