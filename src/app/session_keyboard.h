#pragma once

// Keeps the key names on the keyboard layout of the session the windows are on: under X11 the
// server's keymap, followed when the user switches layouts while the program runs; under Wayland
// the first layout of the keymap the compositor sends, followed when it sends another. A switch
// between the layouts of one Wayland keymap is told only to a window with the keyboard focus,
// which the connection here has none of, so it is not followed. Without either the
// XKB_DEFAULT_* variables name the keys.

#include <QAbstractNativeEventFilter>
#include <QSocketNotifier>
#include <memory>
#include <string>

struct xcb_connection_t;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_keyboard;

namespace nimba {

class SessionKeyboard : public QAbstractNativeEventFilter {
public:
    SessionKeyboard() = default;
    ~SessionKeyboard() override;
    SessionKeyboard(const SessionKeyboard&) = delete;
    SessionKeyboard& operator=(const SessionKeyboard&) = delete;

    // Takes the session's layout now and from then on; call once the application exists.
    void Follow();

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    // Wayland's answers; public for the listener tables.
    void OnSeat(wl_registry* registry, uint32_t name, uint32_t version);
    void OnSeatCapabilities(uint32_t capabilities);
    void OnKeymap(uint32_t format, int fd, uint32_t size);

private:
    void FollowWayland();

    xcb_connection_t* x11_ = nullptr;
    // The compositor tells a keyboard's keymap on a connection of this object's own: Qt's is
    // not reachable from outside its plugin.
    wl_display* wayland_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    std::unique_ptr<QSocketNotifier> wayland_notifier_;
    std::string keymap_text_;
};

}  // namespace nimba
