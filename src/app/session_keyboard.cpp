#include "app/session_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstring>

#include "platform/xkb_layout.h"

namespace nimba {
namespace {

constexpr uint32_t kSeatVersion = 5;
constexpr int kRoundTripsToKeymap = 3;

void Global(void* self, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t version) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0)
        static_cast<SessionKeyboard*>(self)->OnSeat(registry, name, version);
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

void Capabilities(void* self, wl_seat*, uint32_t capabilities) {
    static_cast<SessionKeyboard*>(self)->OnSeatCapabilities(capabilities);
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {Capabilities, SeatName};

void Keymap(void* self, wl_keyboard*, uint32_t format, int fd, uint32_t size) {
    static_cast<SessionKeyboard*>(self)->OnKeymap(format, fd, size);
}
void Enter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void Leave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void Key(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void Modifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener = {Keymap, Enter, Leave, Key, Modifiers, RepeatInfo};

}  // namespace

SessionKeyboard::~SessionKeyboard() {
    if (x11_ != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
    wayland_notifier_.reset();
    if (keyboard_ != nullptr) wl_keyboard_destroy(keyboard_);
    if (seat_ != nullptr) wl_seat_destroy(seat_);
    if (registry_ != nullptr) wl_registry_destroy(registry_);
    if (wayland_ != nullptr) wl_display_disconnect(wayland_);
}

void SessionKeyboard::Follow() {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        x11_ = x11->connection();
        UseDisplayKeyboardLayout(x11_);
        QCoreApplication::instance()->installNativeEventFilter(this);
    } else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        FollowWayland();
    }
}

bool SessionKeyboard::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type == "xcb_generic_event_t" && ChangesDisplayKeyboardLayout(message))
        UseDisplayKeyboardLayout(x11_);
    return false;  // Qt follows the change for its own key events too
}

void SessionKeyboard::FollowWayland() {
    wayland_ = wl_display_connect(nullptr);
    if (wayland_ == nullptr) return;
    registry_ = wl_display_get_registry(wayland_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    // The seat, its keyboard, its keymap: each answer asks the next question. Waiting for
    // them here names the keys right in the first windows.
    for (int step = 0; step < kRoundTripsToKeymap && keymap_text_.empty(); ++step) {
        if (wl_display_roundtrip(wayland_) < 0) return;
    }
    wayland_notifier_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(wayland_), QSocketNotifier::Read);
    QObject::connect(wayland_notifier_.get(), &QSocketNotifier::activated, [this] {
        if (wl_display_dispatch(wayland_) < 0) {
            wayland_notifier_->setEnabled(false);  // the compositor is gone
            return;
        }
        wl_display_flush(wayland_);
    });
}

void SessionKeyboard::OnSeat(wl_registry* registry, uint32_t name, uint32_t version) {
    if (seat_ != nullptr) return;  // the first seat is the user's
    seat_ = static_cast<wl_seat*>(
        wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, kSeatVersion)));
    wl_seat_add_listener(seat_, &kSeatListener, this);
}

void SessionKeyboard::OnSeatCapabilities(uint32_t capabilities) {
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) == 0 || keyboard_ != nullptr) return;
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
}

void SessionKeyboard::OnKeymap(uint32_t format, int fd, uint32_t size) {
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            // The text ends in a NUL the size counts.
            keymap_text_.assign(static_cast<const char*>(text),
                                strnlen(static_cast<const char*>(text), size));
            munmap(text, size);
            UseKeymapText(keymap_text_);
        }
    }
    close(fd);
}

}  // namespace nimba
