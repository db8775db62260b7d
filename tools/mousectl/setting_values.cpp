#include "mousectl/setting_values.h"

#include <charconv>
#include <cstdio>

#include "model/dpi_code.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

constexpr int kRatesHz[] = {125, 250, 500, 1000};

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

}  // namespace

std::optional<int> ParseInteger(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int32_t> ParseSwitch(std::string_view text) {
    if (text == "on") return 1;
    if (text == "off") return 0;
    return std::nullopt;
}

std::string SwitchText(int32_t value) {
    return value == 0 ? "off" : value == 1 ? "on" : std::to_string(value);
}

std::optional<Colour> ParseColour(std::string_view text) {
    if (text.starts_with("#")) text.remove_prefix(1);
    if (text.size() != 6) return std::nullopt;
    uint8_t bytes[3];
    for (int i = 0; i < 3; ++i) {
        const auto high = HexDigit(text[2 * i]);
        const auto low = HexDigit(text[2 * i + 1]);
        if (!high || !low) return std::nullopt;
        bytes[i] = static_cast<uint8_t>(*high << 4 | *low);
    }
    return Colour{bytes[0], bytes[1], bytes[2], 0};
}

std::string ColourText(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

std::optional<int> RateHz(int32_t rate) {
    if (rate < 0 || rate >= 4) return std::nullopt;
    return kRatesHz[rate];
}

std::optional<int32_t> RateFromHz(std::string_view text) {
    const auto hz = ParseInteger(text);
    for (int32_t rate = 0; rate < 4; ++rate) {
        if (hz == kRatesHz[rate]) return rate;
    }
    return std::nullopt;
}

std::optional<int32_t> ParseEffect(std::string_view text) {
    if (const auto index = ParseInteger(text)) {
        if (*index >= 0 && *index < kLightEffects) return *index;
        return std::nullopt;
    }
    const std::u16string name = Utf8ToUtf16(std::string(text));
    for (int32_t effect = 0; effect < kLightEffects; ++effect) {
        if (EqualsIgnoringCase(Utf8ToUtf16(EffectName(effect)), name)) return effect;
    }
    return std::nullopt;
}

std::string EffectName(int32_t effect) {
    if (effect < 0 || effect >= kLightEffects) return "";
    return CResourceManager::GetInstance().GetTextUtf8("light_mode_" + std::to_string(effect) +
                                                       "_text");
}

std::optional<int32_t> ParseHalfMinutes(std::string_view text) {
    const size_t point = text.find('.');
    const auto whole = ParseInteger(text.substr(0, point));
    if (!whole || *whole < 0) return std::nullopt;
    if (point == std::string_view::npos) return *whole * 2;
    const std::string_view fraction = text.substr(point + 1);
    if (fraction == "0") return *whole * 2;
    if (fraction == "5") return *whole * 2 + 1;
    return std::nullopt;
}

std::string HalfMinutesText(int32_t halves) {
    return std::to_string(halves / 2) + (halves % 2 != 0 ? ".5" : "");
}

std::optional<int32_t> DpiCodeOfValue(std::string_view text) {
    const auto dpi = ParseInteger(text);
    if (!dpi) return std::nullopt;
    const int32_t code = CodeFromDpiText(Utf8ToUtf16(std::string(text)));
    // The page snaps a typed value down to its step; a script gets told instead.
    if (DpiFromCode(code) != *dpi) return std::nullopt;
    return code;
}

}  // namespace nimba::mousectl
