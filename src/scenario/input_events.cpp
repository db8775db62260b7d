#include "scenario/input_events.h"

#include <cctype>
#include <charconv>
#include <string>

namespace nimba::scenario {
namespace {

struct NamedKey {
    std::string_view name;
    int code;
};

// The named virtual keys besides letters, digits, F-keys and the numeric pad.
constexpr NamedKey kNamedKeys[] = {
    {"BACK", 0x08},     {"TAB", 0x09},       {"CLEAR", 0x0C},     {"RETURN", 0x0D},
    {"SHIFT", 0x10},    {"CONTROL", 0x11},   {"MENU", 0x12},      {"PAUSE", 0x13},
    {"CAPITAL", 0x14},  {"ESCAPE", 0x1B},    {"SPACE", 0x20},     {"PRIOR", 0x21},
    {"NEXT", 0x22},     {"END", 0x23},       {"HOME", 0x24},      {"LEFT", 0x25},
    {"UP", 0x26},       {"RIGHT", 0x27},     {"DOWN", 0x28},      {"SELECT", 0x29},
    {"PRINT", 0x2A},    {"SNAPSHOT", 0x2C},  {"INSERT", 0x2D},    {"DELETE", 0x2E},
    {"HELP", 0x2F},     {"LWIN", 0x5B},      {"RWIN", 0x5C},      {"APPS", 0x5D},
    {"SLEEP", 0x5F},    {"MULTIPLY", 0x6A},  {"ADD", 0x6B},       {"SEPARATOR", 0x6C},
    {"SUBTRACT", 0x6D}, {"DECIMAL", 0x6E},   {"DIVIDE", 0x6F},    {"NUMLOCK", 0x90},
    {"SCROLL", 0x91},   {"LSHIFT", 0xA0},    {"RSHIFT", 0xA1},    {"LCONTROL", 0xA2},
    {"RCONTROL", 0xA3}, {"LMENU", 0xA4},     {"RMENU", 0xA5},     {"OEM_1", 0xBA},
    {"OEM_PLUS", 0xBB}, {"OEM_COMMA", 0xBC}, {"OEM_MINUS", 0xBD}, {"OEM_PERIOD", 0xBE},
    {"OEM_2", 0xBF},    {"OEM_3", 0xC0},     {"OEM_4", 0xDB},     {"OEM_5", 0xDC},
    {"OEM_6", 0xDD},    {"OEM_7", 0xDE},     {"OEM_8", 0xDF},     {"OEM_102", 0xE2},
};

std::optional<int> NumberAfter(std::string_view prefix, std::string_view name, int base) {
    if (!name.starts_with(prefix)) return std::nullopt;
    name.remove_prefix(prefix.size());
    int value = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value, base);
    if (name.empty() || error != std::errc() || end != name.data() + name.size())
        return std::nullopt;
    return value;
}

std::optional<int> VirtualKey(std::string_view text) {
    std::string name;
    for (char c : text) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (const auto code = NumberAfter("VK_0X", name, 16))
        return *code >= 1 && *code <= 0xFE ? code : std::nullopt;
    std::string_view bare = name;
    if (bare.starts_with("VK_")) bare.remove_prefix(3);
    if (bare.size() == 1 && std::isalnum(static_cast<unsigned char>(bare[0]))) return bare[0];
    if (const auto f = NumberAfter("F", bare, 10)) {
        return *f >= 1 && *f <= 24 ? std::optional<int>(0x6F + *f) : std::nullopt;
    }
    if (const auto pad = NumberAfter("NUMPAD", bare, 10)) {
        return *pad >= 0 && *pad <= 9 ? std::optional<int>(0x60 + *pad) : std::nullopt;
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == bare) return key.code;
    }
    return std::nullopt;
}

struct Button {
    std::string_view name;
    WPARAM down;
    LPARAM which;
};

constexpr Button kButtons[] = {
    {"left", 0x201, 0}, {"right", 0x204, 0}, {"middle", 0x207, 0},
    {"x1", 0x20B, 1},   {"x2", 0x20B, 2},
};

}  // namespace

std::optional<std::vector<InputEvent>> InputEvents(std::string_view action, std::string_view what) {
    if (action == "down" || action == "up") {
        const auto key = VirtualKey(what);
        if (!key) return std::nullopt;
        return std::vector<InputEvent>{{static_cast<WPARAM>(*key), action == "up" ? 1 : 0}};
    }
    if (action != "click") return std::nullopt;
    for (const Button& button : kButtons) {
        // Each up message is the one after its down message.
        if (button.name == what)
            return std::vector<InputEvent>{{button.down, button.which},
                                           {button.down + 1, button.which}};
    }
    return std::nullopt;
}

}  // namespace nimba::scenario
