#pragma once

// What a scenario drives: the program as a user sees it from outside its windows (starting it,
// its tray icon, ending it) and the state the dump reports beside the windows. The windows
// themselves are reached through the skin library.

#include <string>

#include "platform/win_types.h"

namespace nimba::scenario {

struct LinkFlags {
    int wired_link = 0;
    int wireless_link = 0;
    int ble_link = 0;
    int any_link = 0;
    int awaiting_device = 0;
    int wireless_awake = 0;
};

class ScenarioHost {
public:
    virtual ~ScenarioHost() = default;

    // Starts the program: 0 when it runs, else the exit code the program would end with
    // (1 another copy runs, 2 it cannot start).
    virtual int Start() = 0;
    virtual bool Running() const = 0;
    // As "exit" in the tray menu; the program ends through its message loop.
    virtual void Quit() = 0;

    // A left click on the tray icon (`right` false) or a right click, which opens its menu.
    virtual void TrayClick(bool right) = 0;
    virtual bool TrayShown() const = 0;
    virtual std::string TrayTooltip() const = 0;

    virtual LinkFlags Links() const = 0;
    virtual std::string DataDirectory() const = 0;
    // The desktop reports a window of `program` (its class or process name) in front; "-" a
    // window that is none to follow.
    virtual void BringToFront(const std::string& program) = 0;
    // The window the input capture library posts its events to.
    virtual HWND InputTarget() const = 0;
    // Returns once what the program writes to disk in the background is written, so that each
    // line finds it there and hears of its failures, on every run alike.
    virtual void FinishWrites() = 0;
};

}  // namespace nimba::scenario
