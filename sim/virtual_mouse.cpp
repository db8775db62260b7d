#include "sim/virtual_mouse.h"

#include <algorithm>
#include <memory>

#include "model/profile_defaults.h"
#include "platform/messages.h"
#include "platform/module_directory.h"
#include "protocol/report_catalogue.h"
#include "sim/control_commands.h"
#include "sim/control_socket.h"

namespace nimba::sim {

namespace {

constexpr uint8_t kNoticeMarker = 0x47;
constexpr uint8_t kDpiStageClass = 0x10;
constexpr uint8_t kPowerStatusClass = 0x40;
constexpr uint8_t kAcknowledgeClass = 0x50;
constexpr uint8_t kLightModeClass = 0x70;
constexpr uint8_t kDpiReportId = 0x04;
constexpr uint8_t kLightingReportId = 0x05;
constexpr uint8_t kMacroReportId = 0x09;
constexpr uint8_t kStatusOnBattery = 0;
constexpr uint8_t kStatusFull = 2;
constexpr uint8_t kStatusCharging = 3;

constexpr UINT kPowerChangedMessage = WM_USER + 1;
constexpr UINT kAckQueuedMessage = WM_USER + 2;
constexpr UINT_PTR kPowerTimer = 1;
constexpr UINT_PTR kAckTimer = 2;

}  // namespace

VirtualMouse::VirtualMouse(const SimConfig& config, std::string logPath)
    : cable_(config.cable),
      receiver_(config.receiver),
      ble_(config.ble),
      awake_(config.awake),
      charging_(config.charging.value_or(config.cable)),
      battery_(config.battery),
      log_(std::move(logPath)) {
    // From the factory it holds what a new profile of the program would send.
    const auto factory = NewProfile(u"");
    const auto keep = [this](const auto& report) { Keep({report.begin(), report.end()}); };
    keep(BuildDpiSensorReport(*factory));
    keep(BuildLightingReport(*factory));
    keep(BuildReportRateReport(*factory));
    keep(BuildButtonReport(*factory));
}

VirtualMouse::~VirtualMouse() {
    if (clock_window_ != nullptr) DestroyPlatformWindow(clock_window_);
}

VirtualMouse& VirtualMouse::Instance() {
    struct ProcessMouse {
        VirtualMouse mouse{LoadSimConfig(GetModuleDirectory() + "mouse-sim.conf"),
                           DefaultWriteLogPath()};
        // After the mouse: it stops answering before the mouse goes.
        ControlServer server{ControlSocketPath(), [this](std::string_view command) {
                                 return RunControlCommand(mouse, command);
                             }};
    };
    static ProcessMouse process;
    return process.mouse;
}

bool VirtualMouse::IsPresent(SimLink link) const {
    std::lock_guard lock(mutex_);
    return link == SimLink::kWired ? cable_ : link == SimLink::kWireless ? receiver_ : ble_;
}

void VirtualMouse::AttachMonitor(SimLink link, HWND window, UINT noticeMessage,
                                 UINT presenceMessage) {
    std::lock_guard lock(mutex_);
    MonitorOf(link) = {window, noticeMessage, presenceMessage};
    if (clock_window_ == nullptr) {
        clock_window_ = CreatePlatformWindow([this](HWND, UINT message, WPARAM wParam, LPARAM) {
            return OnClockMessage(message, wParam);
        });
    }
    PowerChanged();
}

void VirtualMouse::DetachMonitor(SimLink link) {
    HWND retired = nullptr;
    {
        std::lock_guard lock(mutex_);
        MonitorOf(link) = {};
        if (monitors_[0].window == nullptr && monitors_[1].window == nullptr) {
            retired = clock_window_;
            clock_window_ = nullptr;
            power_change_posted_ = false;
            pending_acks_.clear();
        }
    }
    if (retired != nullptr) DestroyPlatformWindow(retired);
}

int VirtualMouse::WriteFeature(SimLink link, std::span<const uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (report.empty()) return 0;
    if (link == SimLink::kWired && !cable_) return 0;
    if (link == SimLink::kWireless) {
        if (!receiver_) return 0;
        if (cable_ || !awake_) return 1;
    }
    log_.Append(link, report);
    const IntakeResult result = intake_.Take(link, report);
    if (result.outcome == IntakeOutcome::kAccepted) Keep(result.report);
    if (link == SimLink::kWireless && result.outcome != IntakeOutcome::kPartial &&
        clock_window_ != nullptr) {
        pending_acks_.push_back(static_cast<uint16_t>(result.reason));
        PostMessageW(clock_window_, kAckQueuedMessage, 0, 0);
    }
    return 1;
}

bool VirtualMouse::WriteBle(std::span<const uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!ble_ || report.empty()) return false;
    log_.Append(SimLink::kBle, report);
    const IntakeResult result = intake_.Take(SimLink::kBle, report);
    if (result.outcome == IntakeOutcome::kAccepted) Keep(result.report);
    return true;
}

void VirtualMouse::SetBleListener(BleListener listener) {
    std::lock_guard lock(mutex_);
    ble_listener_ = std::move(listener);
}

void VirtualMouse::PressDpi() {
    PendingBle ble;
    {
        std::lock_guard lock(mutex_);
        const std::vector<uint8_t>& dpi = reports_.at(kDpiReportId);
        // The stages it can step through: enabled and with a speed set.
        for (int step = 1; step <= 8; ++step) {
            const int stage = (current_dpi_stage_ - 1 + step) % 8 + 1;
            if ((dpi[5] >> (stage - 1) & 1) != 0 && dpi[8 + stage - 1] != 0) {
                current_dpi_stage_ = stage;
                SendNotice(kDpiStageClass, static_cast<uint16_t>(stage), ble);
                break;
            }
        }
    }
    Deliver(std::move(ble));
}

void VirtualMouse::PressLight() {
    PendingBle ble;
    {
        std::lock_guard lock(mutex_);
        light_mode_ = (light_mode_ + 1) % kLightModes;
        SendNotice(kLightModeClass, static_cast<uint16_t>(light_mode_ << 4), ble);
    }
    Deliver(std::move(ble));
}

void VirtualMouse::SetCable(bool in) {
    std::lock_guard lock(mutex_);
    if (cable_ == in) return;
    cable_ = in;
    charging_ = in;
    if (const Monitor& wired = MonitorOf(SimLink::kWired); wired.window != nullptr) {
        PostMessageW(wired.window, wired.presence_message, in ? 1 : 0, 0);
    }
    PowerChanged();
}

void VirtualMouse::SetReceiver(bool in) {
    std::lock_guard lock(mutex_);
    if (receiver_ == in) return;
    receiver_ = in;
    if (const Monitor& wireless = MonitorOf(SimLink::kWireless); wireless.window != nullptr) {
        PostMessageW(wireless.window, wireless.presence_message, in ? 1 : 0, 0);
    }
    PowerChanged();
}

void VirtualMouse::SetBle(bool on) {
    PendingBle ble;
    {
        std::lock_guard lock(mutex_);
        if (ble_ == on) return;
        ble_ = on;
        ble.connection = on;
        ble.listener = ble_listener_;
        PowerChanged();
    }
    Deliver(std::move(ble));
}

void VirtualMouse::SetAwake(bool awake) {
    std::lock_guard lock(mutex_);
    if (awake_ == awake) return;
    awake_ = awake;
    PowerChanged();
}

void VirtualMouse::SetBattery(int level) {
    std::lock_guard lock(mutex_);
    battery_ = std::clamp(level, 0, 100);
    PowerChanged();
}

void VirtualMouse::SetCharging(bool on) {
    std::lock_guard lock(mutex_);
    charging_ = on;
    PowerChanged();
}

MouseSnapshot VirtualMouse::Snapshot() const {
    std::lock_guard lock(mutex_);
    return {cable_,         receiver_,          ble_,        awake_,   charging_, battery_,
            SpeakingLink(), current_dpi_stage_, light_mode_, reports_, macros_};
}

std::optional<SimLink> VirtualMouse::SpeakingLink() const {
    if (cable_) return SimLink::kWired;
    if (receiver_ && awake_) return SimLink::kWireless;
    if (ble_) return SimLink::kBle;
    return std::nullopt;
}

void VirtualMouse::Keep(const std::vector<uint8_t>& report) {
    if (report[0] == kMacroReportId) {
        macros_[report[2]] = report;
        return;
    }
    reports_[report[0]] = report;
    if (report[0] == kDpiReportId) current_dpi_stage_ = report[24];
    if (report[0] == kLightingReportId) light_mode_ = report[3] >> 4;
}

void VirtualMouse::SendNotice(uint8_t noticeClass, uint16_t value, PendingBle& ble) {
    const std::optional<SimLink> link = SpeakingLink();
    if (!link) return;
    if (*link == SimLink::kBle) {
        ble.listener = ble_listener_;
        ble.notices.push_back({kNoticeMarker, noticeClass, static_cast<uint8_t>(value & 0xFF),
                               static_cast<uint8_t>(value >> 8)});
        return;
    }
    const Monitor& monitor = MonitorOf(*link);
    if (monitor.window == nullptr) return;
    PostMessageW(monitor.window, monitor.notice_message, kNoticeMarker | noticeClass << 8, value);
}

void VirtualMouse::SendPowerStatus(PendingBle& ble) {
    const uint8_t status = !charging_        ? kStatusOnBattery
                           : battery_ >= 100 ? kStatusFull
                                             : kStatusCharging;
    SendNotice(kPowerStatusClass, static_cast<uint16_t>(status | battery_ << 8), ble);
}

void VirtualMouse::PowerChanged() {
    if (clock_window_ == nullptr || power_change_posted_) return;
    power_change_posted_ = true;
    PostMessageW(clock_window_, kPowerChangedMessage, 0, 0);
}

void VirtualMouse::Deliver(PendingBle&& ble) {
    if (ble.connection && ble.listener.on_connection) ble.listener.on_connection(*ble.connection);
    if (!ble.listener.on_notice) return;
    for (const auto& notice : ble.notices) ble.listener.on_notice(notice);
}

LRESULT VirtualMouse::OnClockMessage(UINT message, WPARAM wParam) {
    PendingBle ble;
    {
        std::lock_guard lock(mutex_);
        if (clock_window_ == nullptr) return 0;
        if (message == kPowerChangedMessage) {
            power_change_posted_ = false;
            SendPowerStatus(ble);
            SetTimer(clock_window_, kPowerTimer, kPowerStatusPeriodMs);
        } else if (message == kAckQueuedMessage) {
            SetTimer(clock_window_, kAckTimer, kAckDelayMs);
        } else if (message == WM_TIMER && wParam == kPowerTimer) {
            SendPowerStatus(ble);
        } else if (message == WM_TIMER && wParam == kAckTimer) {
            if (!pending_acks_.empty()) {
                const Monitor& wireless = MonitorOf(SimLink::kWireless);
                if (wireless.window != nullptr) {
                    PostMessageW(wireless.window, wireless.notice_message,
                                 kNoticeMarker | kAcknowledgeClass << 8, pending_acks_.front());
                }
                pending_acks_.pop_front();
            }
            if (pending_acks_.empty()) KillTimer(clock_window_, kAckTimer);
        }
    }
    Deliver(std::move(ble));
    return 0;
}

}  // namespace nimba::sim
