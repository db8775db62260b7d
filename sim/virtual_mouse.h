#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "sim/report_intake.h"
#include "sim/sim_config.h"
#include "sim/sim_link.h"
#include "sim/write_log.h"

namespace nimba::sim {

// What the mouse is and holds at one moment, for tests and the control tool.
struct MouseSnapshot {
    bool cable = false;
    bool receiver = false;
    bool ble = false;
    bool awake = false;
    bool charging = false;
    int battery = 0;
    std::optional<SimLink> speaking_over;  // the link its notices take, if any
    int current_dpi_stage = 0;             // numbered from 1
    int light_mode = 0;
    std::map<uint8_t, std::vector<uint8_t>> reports;  // last accepted report per id
    std::map<int, std::vector<uint8_t>> macros;       // whole macro report per button 1..18
};

// Where the Bluetooth LE side of the mouse reaches the program.
struct BleListener {
    std::function<void(bool connected)> on_connection;
    std::function<void(const std::array<uint8_t, 4>& notice)> on_notice;
};

// The mouse's firmware: three links, power state, the settings it was sent, and the notices
// it sends. Timed behaviour (acknowledgements, the power status every 2 s) runs on platform
// timers of the thread that opened the first monitor, so it follows the virtual clock in tests.
// Every member may be called from any thread.
class VirtualMouse {
public:
    static constexpr int kLightModes = 12;
    static constexpr uint32_t kPowerStatusPeriodMs = 2000;
    static constexpr uint32_t kAckDelayMs = 10;  // the shortest platform timer

    VirtualMouse(const SimConfig& config, std::string logPath);
    ~VirtualMouse();
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    // The one mouse of the process, which the simulated driver libraries share: made at first
    // use from mouse-sim.conf in the program folder, listening for the control tool.
    static VirtualMouse& Instance();

    // Driver-library side (USB links only).
    bool IsPresent(SimLink link) const;
    void AttachMonitor(SimLink link, HWND window, UINT noticeMessage, UINT presenceMessage);
    void DetachMonitor(SimLink link);
    // Nonzero when the link took the write. The receiver takes writes the mouse does not hear
    // (asleep, or talking over the cable); those are neither logged nor acknowledged.
    int WriteFeature(SimLink link, std::span<const uint8_t> report);

    // Bluetooth LE side: a whole report per GATT write; false when not connected.
    bool WriteBle(std::span<const uint8_t> report);
    void SetBleListener(BleListener listener);

    // The mouse's buttons and the world around it.
    void PressDpi();
    void PressLight();
    void SetCable(bool in);
    void SetReceiver(bool in);
    void SetBle(bool on);
    void SetAwake(bool awake);
    void SetBattery(int level);  // clamped to 0..100
    void SetCharging(bool on);

    MouseSnapshot Snapshot() const;
    const std::string& log_path() const { return log_.path(); }

private:
    struct Monitor {
        HWND window = nullptr;
        UINT notice_message = 0;
        UINT presence_message = 0;
    };
    struct PendingBle {
        std::vector<std::array<uint8_t, 4>> notices;
        std::optional<bool> connection;
        BleListener listener;
    };

    Monitor& MonitorOf(SimLink link) { return monitors_[link == SimLink::kWired ? 0 : 1]; }
    std::optional<SimLink> SpeakingLink() const;
    void Keep(const std::vector<uint8_t>& report);
    void SendNotice(uint8_t noticeClass, uint16_t value, PendingBle& ble);
    void SendPowerStatus(PendingBle& ble);
    void PowerChanged();
    void Deliver(PendingBle&& ble);
    LRESULT OnClockMessage(UINT message, WPARAM wParam);

    mutable std::mutex mutex_;
    bool cable_;
    bool receiver_;
    bool ble_;
    bool awake_;
    bool charging_;
    int battery_;
    int current_dpi_stage_ = 0;
    int light_mode_ = 0;
    std::map<uint8_t, std::vector<uint8_t>> reports_;
    std::map<int, std::vector<uint8_t>> macros_;
    ReportIntake intake_;
    WriteLog log_;
    Monitor monitors_[2];
    BleListener ble_listener_;
    std::deque<uint16_t> pending_acks_;
    HWND clock_window_ = nullptr;       // the timers' window
    bool power_change_posted_ = false;  // several changes at once make one notice
};

}  // namespace nimba::sim
