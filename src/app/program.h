#pragma once

// The program from start to end: one copy per user, the skin set up from the program folder,
// the main window created and, at the end, everything taken down in order. `nimba-mouse` and
// `nimba-scenario` both run it.

#include <memory>
#include <optional>
#include <string>

#include "app/device_notifications.h"
#include "app/front_window_watcher.h"
#include "app/main_wnd.h"
#include "app/session_keyboard.h"
#include "app/single_instance.h"

namespace nimba {

class Program {
public:
    // Exit codes beside 0.
    static constexpr int kAnotherCopyRuns = 1;
    static constexpr int kCannotStart = 2;

    // `follow_front_window`: the profile follows the program in front on the X server; a
    // scenario tells the program which that is instead.
    explicit Program(std::string runtime_folder = {}, bool follow_front_window = true);
    ~Program();

    // 0 when the main window runs; else the exit code, the reason written to stderr.
    int Start();
    // The main window while it exists.
    CMainWnd* main_window() const;

private:
    // Tells the page which program is in front, from now on.
    void WatchFrontWindow();

    SingleInstance instance_;
    SessionKeyboard keyboard_;
    std::unique_ptr<CMainWnd> main_window_;
    DeviceNotifications device_notifications_;
    bool follow_front_window_;
    // Ends before the window whose page it reports to.
    std::unique_ptr<FrontWindowWatcher> front_window_;
};

}  // namespace nimba
