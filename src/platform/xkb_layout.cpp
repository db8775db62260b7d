#include "platform/xkb_layout.h"

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace {

// evdev key codes are set 1 scan codes plus 8 for the keys of the main block.
constexpr UINT kEvdevOffset = 8;
// The keyboard extension's events (its second byte says which) after which keys may print
// otherwise, and the bits of a state notify's `changed` that move the layout group. xcb's
// header for the extension does not compile as C++, so the few values are here.
constexpr uint8_t kNewKeyboardNotify = 0;
constexpr uint8_t kMapNotify = 1;
constexpr uint8_t kStateNotify = 2;
constexpr uint16_t kGroupChanges = 0x10 | 0x20 | 0x40 | 0x80;  // group state, base, latch, lock

// The head of a state notify as the server sends it (xcb_xkb_state_notify_event_t), up to
// `changed`; every event of the extension starts so, up to its kind.
struct XkbStateNotifyHead {
    uint8_t response_type;
    uint8_t xkb_type;
    uint16_t sequence;
    uint32_t time;
    uint8_t device_id;
    uint8_t mods, base_mods, latched_mods, locked_mods, group;
    int16_t base_group, latched_group;
    uint8_t locked_group, compat_state, grab_mods, compat_grab_mods, lookup_mods,
        compat_lookup_mods;
    uint16_t pointer_buttons;
    uint16_t changed;
};
static_assert(offsetof(XkbStateNotifyHead, changed) == 26);

struct Keymap {
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context{nullptr, xkb_context_unref};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap{nullptr, xkb_keymap_unref};
    xkb_layout_index_t layout = 0;
};

// Key names are looked up from the window thread and the worker alike.
std::mutex keymap_mutex;
Keymap user_keymap;
bool keymap_chosen = false;
// The first event code of the X server's keyboard extension; -1 before it is known.
std::atomic<int> xkb_event_base{-1};

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
    uint8_t event_base = 0;
    if (xkb_x11_setup_xkb_extension(
            connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &event_base, nullptr) == 0) {
        return map;
    }
    xkb_event_base = event_base;
    const int32_t keyboard = xkb_x11_get_core_keyboard_device_id(connection);
    map.context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (keyboard < 0 || !map.context) return map;
    map.keymap.reset(xkb_x11_keymap_new_from_device(map.context.get(), connection, keyboard,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!map.keymap) return map;
    // With several layouts ("us,fr") the one the user switched to names the keys.
    if (xkb_state* state = xkb_x11_state_new_from_device(map.keymap.get(), connection, keyboard)) {
        map.layout = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
    return map;
}

bool Use(Keymap map) {
    if (!map.keymap) return false;
    std::lock_guard lock(keymap_mutex);
    user_keymap = std::move(map);
    keymap_chosen = true;
    return true;
}

}  // namespace

bool UseDisplayKeyboardLayout(xcb_connection_t* connection) {
    return connection != nullptr && Use(DisplayKeymap(connection));
}

bool ChangesDisplayKeyboardLayout(const void* xcb_event) {
    const auto* event = static_cast<const XkbStateNotifyHead*>(xcb_event);
    if (xkb_event_base < 0 || (event->response_type & 0x7F) != xkb_event_base) return false;
    if (event->xkb_type == kNewKeyboardNotify || event->xkb_type == kMapNotify) return true;
    return event->xkb_type == kStateNotify && (event->changed & kGroupChanges) != 0;
}

bool UseKeymapText(std::string_view text, UINT layout) {
    Keymap map;
    map.context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!map.context) return false;
    const std::string keymap(text);  // NUL-terminated for xkbcommon
    map.keymap.reset(xkb_keymap_new_from_string(
        map.context.get(), keymap.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    map.layout = layout;
    return Use(std::move(map));
}

std::optional<char32_t> LayoutCharacter(UINT scan, bool shift) {
    std::lock_guard lock(keymap_mutex);
    if (!keymap_chosen) {
        user_keymap = NamedKeymap();
        keymap_chosen = true;
    }
    xkb_keymap* keymap = user_keymap.keymap.get();
    if (keymap == nullptr || scan == 0) return std::nullopt;
    const xkb_keycode_t key = scan + kEvdevOffset;
    // A key with fewer layouts than the keymap (Escape) wraps to its first.
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, key);
    const xkb_layout_index_t layout = layouts > 0 ? user_keymap.layout % layouts : 0;
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, layout, shift ? 1 : 0, &syms);
    if (count < 1) return std::nullopt;
    const uint32_t character = xkb_keysym_to_utf32(syms[0]);
    if (character == 0) return std::nullopt;
    return static_cast<char32_t>(character);
}
