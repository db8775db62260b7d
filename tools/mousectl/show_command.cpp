// `show [PROFILE]`: a profile as the page shows it, or with --json in the values `set` and
// `button` take, so a script can read a setting and write it back.

#include <cstdio>
#include <iomanip>

#include "model/dpi_code.h"
#include "model/utf16.h"
#include "mousectl/button_function_words.h"
#include "mousectl/commands.h"
#include "mousectl/json_writer.h"
#include "mousectl/setting_values.h"
#include "mousectl/store_session.h"
#include "mousectl/terminal_text.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

std::string Text(const std::string& key) {
    return CResourceManager::GetInstance().GetTextUtf8(key);
}

// The option texts of the page: lift-off reads Low and High, the other two Off and On.
std::string LiftOffText(int32_t value) {
    return value == 0 ? Text("lift_low_text") : value == 1 ? Text("lift_high_text") : "?";
}
std::string OptionText(int32_t value) {
    return value == 0 ? Text("option_off_text") : value == 1 ? Text("option_on_text") : "?";
}

std::string SleepText(int32_t minutes) {
    return Text("sleep_timer_3_text") + std::to_string(minutes) + " " + Text("sleep_timer_2_text");
}

std::string LightOffText(int32_t halves) {
    char value[32];
    std::snprintf(value, sizeof value, "%.1f", static_cast<float>(halves) * 0.5f);
    return Text("sleep_timer_1_text") + value + " " + Text("sleep_timer_2_text");
}

std::optional<int> StageDpi(const ProfileRecord& profile, int stage) {
    if (profile.dpi_x[stage] == 0) return std::nullopt;
    return DpiFromCode(profile.dpi_x[stage]);
}

void PrintText(std::ostream& out, const ProfileRecord& p, int index, bool current) {
    out << "profile " << index << ": " << TerminalText(Utf16ToUtf8(NameView(p.name)))
        << (current ? " (current)" : "") << "\n";
    out << "dpi stages:\n";
    for (int s = 0; s < kDpiStages; ++s) {
        const auto dpi = StageDpi(p, s);
        out << (p.current_dpi_stage == s ? "  * " : "    ") << s + 1 << "  " << std::left
            << std::setw(10) << (dpi ? std::to_string(*dpi) + " DPI" : "-") << std::setw(5)
            << SwitchText(p.dpi_stage_enabled[s]) << ColourText(p.dpi_color[s]) << "\n";
    }
    const auto rate = RateHz(p.report_rate);
    out << "report rate: " << (rate ? std::to_string(*rate) + " Hz" : "?") << "\n"
        << "lighting: " << EffectName(p.light_mode) << " (" << p.light_mode << "), speed "
        << p.light_speed << ", brightness " << p.light_brightness << ", colour "
        << ColourText(p.light_color) << "\n"
        << "bluetooth lighting: " << EffectName(p.light_mode_ble) << " (" << p.light_mode_ble
        << ")\n"
        << "sleep: " << SleepText(p.sleep_timer) << "\n"
        << "light off: " << LightOffText(p.light_off_timer) << "\n"
        << "debounce: " << int64_t{p.key_debounce} * 2 << " MS\n"
        << "lift-off: " << LiftOffText(p.lift_off_distance) << "\n"
        << "ripple control: " << OptionText(p.ripple_control) << "\n"
        << "angle snap: " << OptionText(p.angle_snap) << "\n"
        << "buttons:\n";
    for (int k = 0; k < kButtonCount; ++k) {
        out << "  " << std::right << std::setw(2) << k + 1 << "  "
            << TerminalText(ShownButtonLabel(p.buttons[k])) << "\n";
    }
}

// Members named after the settings of `set`, values in the form it takes.
void PrintJson(std::ostream& out, const ProfileRecord& p, int index, bool current) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("index").Number(int64_t{index});
    json.Key("name").String(Utf16ToUtf8(NameView(p.name)));
    json.Key("current").Bool(current);
    json.Key("stages").BeginArray();
    for (int s = 0; s < kDpiStages; ++s) {
        json.BeginObject().Key("stage").Number(int64_t{s + 1});
        json.Key("dpi").Number(StageDpi(p, s));
        json.Key("stage-enabled").String(SwitchText(p.dpi_stage_enabled[s]));
        json.Key("dpi-colour").String(ColourText(p.dpi_color[s]));
        json.EndObject();
    }
    json.EndArray();
    json.Key("settings").BeginObject();
    json.Key("stage").Number(int64_t{p.current_dpi_stage} + 1);
    json.Key("rate").Number(RateHz(p.report_rate));
    json.Key("light").Number(int64_t{p.light_mode});
    json.Key("light-ble").Number(int64_t{p.light_mode_ble});
    json.Key("brightness").Number(int64_t{p.light_brightness});
    json.Key("speed").Number(int64_t{p.light_speed});
    json.Key("light-colour").String(ColourText(p.light_color));
    json.Key("sleep").Number(int64_t{p.sleep_timer});
    json.Key("light-off").Number(p.light_off_timer * 0.5);
    json.Key("debounce").Number(int64_t{p.key_debounce} * 2);
    json.Key("lift-off").String(SwitchText(p.lift_off_distance));
    json.Key("ripple").String(SwitchText(p.ripple_control));
    json.Key("angle-snap").String(SwitchText(p.angle_snap));
    json.EndObject();
    json.Key("effect-names").BeginObject();
    json.Key("light").String(EffectName(p.light_mode));
    json.Key("light-ble").String(EffectName(p.light_mode_ble));
    json.EndObject();
    json.Key("buttons").BeginArray();
    for (int k = 0; k < kButtonCount; ++k) {
        json.BeginObject().Key("button").Number(int64_t{k + 1});
        json.Key("label").String(ShownButtonLabel(p.buttons[k]));
        json.Key("function");
        if (const auto words = ButtonFunctionWords(p.buttons[k], k)) {
            json.BeginArray();
            for (const std::string& word : *words) json.String(word);
            json.EndArray();
        } else {
            json.Null();
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << "\n";
}

}  // namespace

int RunShow(const Invocation& call, std::ostream& out, std::ostream& err) {
    StoreSession session(StoreAccess::kReadOnly);
    auto profile = std::make_unique<ProfileRecord>();
    int index = -1;
    bool current = false;
    const bool found =
        session.profiles.Edit([&](const ProfileList& list, const ProfileStoreHeader& header) {
            const auto chosen = call.args.empty() ? std::optional(header.current_profile_index)
                                                  : FindProfile(list, call.args[0], err);
            if (!chosen) return false;
            index = *chosen;
            current = index == header.current_profile_index;
            *profile = *list[index];
            return true;
        });
    if (!found) return kExitUsage;
    if (call.json) {
        PrintJson(out, *profile, index, current);
    } else {
        PrintText(out, *profile, index, current);
    }
    return out.flush() ? kExitOk : kExitFailure;
}

}  // namespace nimba::mousectl
