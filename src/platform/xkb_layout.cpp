#include "platform/xkb_layout.h"

#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace {

// evdev key codes are set 1 scan codes plus 8 for the keys of the main block.
constexpr UINT kEvdevOffset = 8;

struct Keymap {
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context{nullptr, xkb_context_unref};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap{nullptr, xkb_keymap_unref};
};

const Keymap& UserKeymap() {
    static const Keymap loaded = [] {
        Keymap map;
        map.context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
        // Empty names take the XKB_DEFAULT_* variables, else the built-in US defaults.
        if (map.context)
            map.keymap.reset(
                xkb_keymap_new_from_names(map.context.get(), nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
        return map;
    }();
    return loaded;
}

}  // namespace

std::optional<char32_t> LayoutCharacter(UINT scan, bool shift) {
    xkb_keymap* keymap = UserKeymap().keymap.get();
    if (keymap == nullptr || scan == 0) return std::nullopt;
    const xkb_keysym_t* syms = nullptr;
    const int count =
        xkb_keymap_key_get_syms_by_level(keymap, scan + kEvdevOffset, 0, shift ? 1 : 0, &syms);
    if (count < 1) return std::nullopt;
    const uint32_t character = xkb_keysym_to_utf32(syms[0]);
    if (character == 0) return std::nullopt;
    return static_cast<char32_t>(character);
}
