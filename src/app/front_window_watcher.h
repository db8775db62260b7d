#pragma once

// Which program's window is in front on the X server (an X11 session, or XWayland under a
// Wayland one): the desktop keeps it in the root window's _NET_ACTIVE_WINDOW, and each change
// of that property arrives as an event, so an idle desktop costs nothing. The program is named
// by its window class (instance and class) and, where the window gives its process id, by the
// process's name and its executable's.

#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "page/ms_1_programs.h"
#include "persistence/program_rules.h"

namespace nimba {

class FrontWindowWatcher {
public:
    // Nothing: the front window is none to follow (none at all, or one of this process).
    using Listener = std::function<void(std::optional<ProgramNames>)>;

    FrontWindowWatcher() = default;
    ~FrontWindowWatcher();
    FrontWindowWatcher(const FrontWindowWatcher&) = delete;
    FrontWindowWatcher& operator=(const FrontWindowWatcher&) = delete;

    // Connects to the X server of $DISPLAY and reports the front program now and at each
    // change; false when there is no X server to follow.
    bool Start(Listener listener);
    // The programs that have a window now, each by its first name, sorted, once each.
    std::vector<WindowedProgram> WindowedPrograms();

private:
    void OnReadable();
    // Takes the events waiting; true when the front window may have changed.
    bool TakeEvents(bool from_socket);
    void ReportFront();
    std::optional<ProgramNames> NamesOf(xcb_window_t window);
    // The window's icon nearest to a list row's size, null when it gives none.
    QImage IconOf(xcb_window_t window);
    std::vector<uint32_t> WindowProperty(xcb_window_t window, xcb_atom_t property,
                                         uint32_t max_values = 4096);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t active_window_ = 0;
    xcb_atom_t client_list_ = 0;
    xcb_atom_t pid_ = 0;
    xcb_atom_t icon_ = 0;
    xcb_window_t front_ = 0;
    Listener listener_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace nimba
