#include "platform/xkb_layout.h"

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <mutex>

namespace {

// evdev key codes are set 1 scan codes plus 8 for the keys of the main block.
constexpr UINT kEvdevOffset = 8;

struct Keymap {
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context{nullptr, xkb_context_unref};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap{nullptr, xkb_keymap_unref};
};

// Key names are looked up from the window thread and the worker alike.
std::mutex keymap_mutex;
Keymap user_keymap;
bool keymap_chosen = false;

Keymap NamedKeymap() {
    Keymap map;
    map.context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    // Empty names take the XKB_DEFAULT_* variables, else the built-in US defaults.
    if (map.context)
        map.keymap.reset(
            xkb_keymap_new_from_names(map.context.get(), nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
    return map;
}

Keymap DisplayKeymap(xcb_connection_t* connection) {
    Keymap map;
    if (xkb_x11_setup_xkb_extension(
            connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr) == 0) {
        return map;
    }
    const int32_t keyboard = xkb_x11_get_core_keyboard_device_id(connection);
    map.context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (keyboard < 0 || !map.context) return map;
    map.keymap.reset(xkb_x11_keymap_new_from_device(map.context.get(), connection, keyboard,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS));
    return map;
}

}  // namespace

bool UseDisplayKeyboardLayout(xcb_connection_t* connection) {
    if (connection == nullptr) return false;
    Keymap map = DisplayKeymap(connection);
    if (!map.keymap) return false;
    std::lock_guard lock(keymap_mutex);
    user_keymap = std::move(map);
    keymap_chosen = true;
    return true;
}

std::optional<char32_t> LayoutCharacter(UINT scan, bool shift) {
    std::lock_guard lock(keymap_mutex);
    if (!keymap_chosen) {
        user_keymap = NamedKeymap();
        keymap_chosen = true;
    }
    xkb_keymap* keymap = user_keymap.keymap.get();
    if (keymap == nullptr || scan == 0) return std::nullopt;
    const xkb_keysym_t* syms = nullptr;
    const int count =
        xkb_keymap_key_get_syms_by_level(keymap, scan + kEvdevOffset, 0, shift ? 1 : 0, &syms);
    if (count < 1) return std::nullopt;
    const uint32_t character = xkb_keysym_to_utf32(syms[0]);
    if (character == 0) return std::nullopt;
    return static_cast<char32_t>(character);
}
