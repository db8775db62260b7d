#include "device/apply_profile.h"

#include "device/device_messages.h"
#include "device/report_dispatcher.h"
#include "platform/messages.h"

namespace nimba {
namespace {

// Whether the page should say that the mouse is behind. A report rate waiting for a USB link
// is not shown while Bluetooth LE, which never carries it, is the mouse's only link: the page
// offers no rate there, and the rate goes out by itself once a USB link is back.
bool MouseBehind(const ChangeFlags& undelivered, const LinkState& links) {
    ChangeFlags shown = undelivered;
    const bool usb_usable = links.wired_link.load() == 1 ||
                            (links.wireless_link.load() == 1 && links.wireless_awake.load() != 0);
    if (!usb_usable && links.ble_link.load() != 0) shown.report_rate = 0;
    return shown.Any();
}

}  // namespace

void KeepUndelivered(ApplyContext& context) {
    const ProfileRecord seen = context.state.applied_snapshot.Get();
    const std::optional<ProfileRecord> copy = context.profile.CopyCurrent();
    if (!copy) return;
    const ChangeFlags wanted =
        context.state.apply_all.load() != 0 ? ChangeFlags::All() : DetectChanges(*copy, seen);
    // Only what would make a report: a macro flag of a button without a macro sends nothing.
    for (const ApplyReport& report : ApplyReports(*copy, wanted, false)) {
        context.state.undelivered |= report.carries;
    }
    context.controls.ShowMouseBehind(MouseBehind(context.state.undelivered, context.links));
}

void ApplyProfile(ApplyContext& context) {
    if (context.links.awaiting_device.load() == 1) {
        // Nothing goes to the mouse before it has made itself known, but the edit that asked
        // for this apply is kept: the program may end before the mouse is heard again.
        KeepUndelivered(context);
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
    ChangeFlags flags = apply_all ? ChangeFlags::All() : DetectChanges(current, seen);
    flags |= context.state.undelivered;
    ChangeFlags undelivered;
    for (const ApplyReport& report : ApplyReports(current, flags, apply_all)) {
        const SendResult sent =
            SendReport(report.bytes.data(), static_cast<uint32_t>(report.bytes.size()),
                       context.links, context.writers, context.stop);
        if (sent.delivered) continue;
        undelivered |= report.carries;
        // A whole-profile send whose preamble the mouse did not get goes again as a whole.
        if (report.carries == ChangeFlags::All()) context.state.apply_all.store(1);
    }
    context.state.undelivered = undelivered;

    SetTimer(context.window, kWirelessWatchdogTimer, kWirelessWatchdogMs);
    context.profile.Save();
    // The snapshot holds what was sent; what did not arrive is kept apart as undelivered.
    context.state.applied_snapshot.TakeApplied(current, seen);
    context.controls.ShowMouseBehind(MouseBehind(undelivered, context.links));
    context.controls.SetApplyRingVisible(false);
}

}  // namespace nimba
