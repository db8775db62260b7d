// `set SETTING [STAGE] VALUE`: one setting of the current profile, checked against the range
// of its control on the page, saved at once and, with --apply, sent like the page sends it.

#include <functional>

#include "model/dpi_code.h"
#include "mousectl/commands.h"
#include "mousectl/profile_change.h"
#include "mousectl/setting_values.h"
#include "mousectl/store_session.h"

namespace nimba::mousectl {
namespace {

// Writes the checked value into the profile; a message (without the program name) when the
// value cannot be taken.
using Writer = std::function<std::string(ProfileRecord& profile, int stage, std::string_view)>;

struct Setting {
    std::string_view name;
    bool per_stage;  // takes STAGE first
    bool valued;     // takes VALUE last
    Writer write;
};

// A setting held in one int32 field, taking values `parse` accepts.
template <typename Parse>
Writer Field(int32_t ProfileRecord::*field, Parse parse, std::string what) {
    return [=](ProfileRecord& profile, int, std::string_view text) -> std::string {
        const std::optional<int32_t> value = parse(text);
        if (!value) return "'" + std::string(text) + "' is not " + what;
        profile.*field = *value;
        return "";
    };
}

auto Ranged(SettingRange range) {
    return [=](std::string_view text) -> std::optional<int32_t> {
        const auto value = ParseInteger(text);
        if (!value || *value < range.min || *value > range.max) return std::nullopt;
        return *value;
    };
}

// The debounce control moves in 2 ms steps.
std::optional<int32_t> DebounceSteps(std::string_view text) {
    const auto ms = ParseInteger(text);
    if (!ms || *ms % 2 != 0 || *ms / 2 < kDebounceStepsRange.min ||
        *ms / 2 > kDebounceStepsRange.max) {
        return std::nullopt;
    }
    return *ms / 2;
}

std::optional<int32_t> LightOffHalves(std::string_view text) {
    const auto halves = ParseHalfMinutes(text);
    if (!halves || *halves < kLightOffHalvesRange.min || *halves > kLightOffHalvesRange.max) {
        return std::nullopt;
    }
    return halves;
}

// The lift-off options read Low and High on the page.
std::optional<int32_t> LiftOff(std::string_view text) {
    if (text == "low") return 0;
    if (text == "high") return 1;
    return ParseSwitch(text);
}

bool StageInUse(const ProfileRecord& profile, int stage) {
    return profile.dpi_x[stage] != 0 && profile.dpi_stage_enabled[stage] == 1;
}

std::string WriteDpi(ProfileRecord& profile, int stage, std::string_view text) {
    const auto code = DpiCodeOfValue(text);
    if (!code) {
        return "'" + std::string(text) +
               "' is not a DPI value (50-10000 in steps of 50, 10100-12000 in steps of 100)";
    }
    profile.dpi_x[stage] = *code;
    return "";
}

std::string WriteStage(ProfileRecord& profile, int stage, std::string_view) {
    // The mouse steps only through stages in use; an active stage outside them would strand it.
    if (!StageInUse(profile, stage)) return "stage " + std::to_string(stage + 1) + " is not in use";
    profile.current_dpi_stage = stage;
    return "";
}

std::string WriteStageEnabled(ProfileRecord& profile, int stage, std::string_view text) {
    const auto on = ParseSwitch(text);
    if (!on) return "'" + std::string(text) + "' is not on or off";
    if (*on == 1 && profile.dpi_x[stage] == 0) {
        return "stage " + std::to_string(stage + 1) + " has no DPI value yet";
    }
    if (*on == 0 && profile.current_dpi_stage == stage) {
        return "stage " + std::to_string(stage + 1) + " is the active stage";
    }
    profile.dpi_stage_enabled[stage] = *on;
    return "";
}

std::string WriteDpiColour(ProfileRecord& profile, int stage, std::string_view text) {
    const auto colour = ParseColour(text);
    if (!colour) return "'" + std::string(text) + "' is not a colour RRGGBB";
    profile.dpi_color[stage] = *colour;
    return "";
}

std::string WriteLightColour(ProfileRecord& profile, int, std::string_view text) {
    const auto colour = ParseColour(text);
    if (!colour) return "'" + std::string(text) + "' is not a colour RRGGBB";
    profile.light_color = *colour;
    return "";
}

const Setting kSettings[] = {
    {"dpi", true, true, WriteDpi},
    {"stage", true, false, WriteStage},
    {"stage-enabled", true, true, WriteStageEnabled},
    {"dpi-colour", true, true, WriteDpiColour},
    {"rate", false, true, Field(&ProfileRecord::report_rate, RateFromHz, "125, 250, 500 or 1000")},
    {"light", false, true,
     Field(&ProfileRecord::light_mode, ParseEffect, "a lighting effect (0-11)")},
    {"light-ble", false, true,
     Field(&ProfileRecord::light_mode_ble, ParseEffect, "a lighting effect (0-11)")},
    {"brightness", false, true,
     Field(&ProfileRecord::light_brightness, Ranged(kBrightnessRange), "in 1-15")},
    {"speed", false, true, Field(&ProfileRecord::light_speed, Ranged(kSpeedRange), "in 0-9")},
    {"light-colour", false, true, WriteLightColour},
    {"sleep", false, true,
     Field(&ProfileRecord::sleep_timer, Ranged(kSleepMinutesRange), "in 1-60 minutes")},
    {"light-off", false, true,
     Field(&ProfileRecord::light_off_timer, LightOffHalves, "in 0.5-30 minutes in steps of 0.5")},
    {"debounce", false, true,
     Field(&ProfileRecord::key_debounce, DebounceSteps, "in 2-32 ms in steps of 2")},
    {"lift-off", false, true, Field(&ProfileRecord::lift_off_distance, LiftOff, "on or off")},
    {"ripple", false, true, Field(&ProfileRecord::ripple_control, ParseSwitch, "on or off")},
    {"angle-snap", false, true, Field(&ProfileRecord::angle_snap, ParseSwitch, "on or off")},
};

}  // namespace

int RunSet(const Invocation& call, std::ostream&, std::ostream& err) {
    const std::string_view name = call.args[0];
    const Setting* setting = nullptr;
    for (const Setting& s : kSettings) {
        if (s.name == name) setting = &s;
    }
    if (!setting) {
        err << "nimba-mousectl: set: unknown setting '" << name << "'\n";
        return kExitUsage;
    }
    if (call.args.size() != 1u + setting->per_stage + setting->valued) {
        err << "nimba-mousectl: set " << name << ": expects" << (setting->per_stage ? " STAGE" : "")
            << (setting->valued ? " VALUE" : "") << "\n";
        return kExitUsage;
    }
    int stage = 0;
    if (setting->per_stage) {
        const auto number = ParseInteger(call.args[1]);
        if (!number || *number < 1 || *number > kDpiStages) {
            err << "nimba-mousectl: set " << name << ": '" << call.args[1]
                << "' is not a stage (1-8)\n";
            return kExitUsage;
        }
        stage = *number - 1;
    }

    StoreSession session;
    const ProfileRecord before = CurrentProfile(session.profiles);
    ProfileRecord changed = before;
    const std::string refusal = setting->write(changed, stage, call.args.back());
    if (!refusal.empty()) {
        err << "nimba-mousectl: set " << name << ": " << refusal << "\n";
        return kExitUsage;
    }
    ReplaceCurrentProfile(session.profiles, changed);
    return FinishChange(session, before, false, call.apply, err);
}

}  // namespace nimba::mousectl
