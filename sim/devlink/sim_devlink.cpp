// A driver library whose device is the virtual mouse: the cable or the receiver, as the
// vendor and product id given to Set_VIDPID say.

#include <atomic>

#include "devlink.h"
#include "sim/virtual_mouse.h"

namespace {

using nimba::sim::SimLink;
using nimba::sim::VirtualMouse;

constexpr int kVendorId = 0x1D57;
constexpr int kWiredProductId = 0x2015;
constexpr int kReceiverProductId = 0xFA60;

enum class Selection { kNone, kWired, kReceiver };
std::atomic<Selection> g_selection{Selection::kNone};
std::atomic<bool> g_open{false};
std::atomic<Selection> g_monitored{Selection::kNone};  // what Close_DevMonitor detaches

SimLink LinkOf(Selection selection) {
    return selection == Selection::kWired ? SimLink::kWired : SimLink::kWireless;
}

}  // namespace

extern "C" {

void Set_VIDPID(int vendorId, int productId) {
    Selection selection = Selection::kNone;
    if (vendorId == kVendorId && productId == kWiredProductId) selection = Selection::kWired;
    if (vendorId == kVendorId && productId == kReceiverProductId) selection = Selection::kReceiver;
    g_selection = selection;
    VirtualMouse::Instance();  // the control tool can reach the mouse from now on
}

void Open_DevMonitor(HWND window, UINT noticeMessage, UINT presenceMessage) {
    const Selection selection = g_selection;
    if (selection == Selection::kNone) return;
    if (const Selection previous = g_monitored.exchange(selection); previous != Selection::kNone) {
        VirtualMouse::Instance().DetachMonitor(LinkOf(previous));
    }
    VirtualMouse::Instance().AttachMonitor(LinkOf(selection), window, noticeMessage,
                                           presenceMessage);
}

void Close_DevMonitor() {
    const Selection monitored = g_monitored.exchange(Selection::kNone);
    if (monitored != Selection::kNone) VirtualMouse::Instance().DetachMonitor(LinkOf(monitored));
}

int Open_FeatureDevice() {
    const Selection selection = g_selection;
    if (selection == Selection::kNone) return 0;
    g_open = VirtualMouse::Instance().IsPresent(LinkOf(selection));
    return g_open ? 1 : 0;
}

void Close_FeatureDevice() {
    g_open = false;
}

int SetFeature(const BYTE* report, int length) {
    const Selection selection = g_selection;
    // Like a real device handle, writes need Open_FeatureDevice first.
    if (selection == Selection::kNone || !g_open || report == nullptr || length <= 0) return 0;
    return VirtualMouse::Instance().WriteFeature(LinkOf(selection),
                                                 {report, static_cast<size_t>(length)});
}

int GetFeature(BYTE*, int) {
    return 0;
}

}  // extern "C"
