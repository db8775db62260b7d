#pragma once

// Switches to the profile of the program in front, as the user would by picking it in the
// list, once that program has stayed in front for a second, so that alt-tabbing through
// windows sends nothing. A profile the user picks stands until another program comes to the
// front; the user's own windows and the desktop bring no program to the front.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "persistence/profile_store.h"
#include "persistence/program_rules_file.h"
#include "platform/win_types.h"

namespace nimba {

class ProfileListActions;

inline constexpr UINT_PTR kFrontSettleTimer = 517;
inline constexpr UINT kFrontSettleMs = 1000;

class ProgramFollower {
public:
    // `status_changed` runs when the program the tooltip names may have changed.
    ProgramFollower(ProfileStore& store, ProfileListActions& actions,
                    std::function<void()> status_changed);

    // The window whose clock times the settling.
    void Bind(HWND window) { window_ = window; }
    // Reads programs.conf again; the lines it skips are reported on standard error.
    void LoadRules();
    const ProgramRules& rules() const { return read_.rules; }
    const std::vector<SkippedLine>& skipped_lines() const { return read_.skipped; }
    // Takes and saves what was edited from `before` to `after`, over the file as it is now, so
    // that what nimba-mousectl changed meanwhile stays; false when the file could not be written
    // (the rules hold all the same until the program ends).
    [[nodiscard]] bool EditRules(const ProgramRules& before, const ProgramRules& after);
    // A profile renamed or deleted in the list: the rules follow it over the file as it is now,
    // so that one nimba-mousectl gave meanwhile stays; false when they could not be saved.
    [[nodiscard]] bool OnProfileRenamed(const std::string& old_name, const std::string& new_name);
    [[nodiscard]] bool OnProfileDeleted(const std::string& name);

    // The program now in front; nothing when the front window is none to follow.
    void OnFront(std::optional<ProgramNames> names);
    // The front program has stayed for the settling time.
    void OnSettled();
    // The program whose rule made the current profile current; empty once the user chose
    // another profile or no rule did.
    std::string FollowedProgram() const;

private:
    void TakeRules(ProgramRulesRead read);
    // Over the file as it is now; false when it could not be saved.
    bool FollowProfile(const std::string& name, const std::optional<std::string>& new_name);

    ProfileStore& store_;
    ProfileListActions& actions_;
    std::function<void()> status_changed_;
    HWND window_ = nullptr;
    ProgramRulesRead read_;
    std::optional<ProgramNames> pending_;  // in front, not yet settled
    ProgramNames settled_;                 // the last program that stayed in front
    std::string followed_program_;         // whose rule chose `followed_profile_`
    std::string followed_profile_;
};

}  // namespace nimba
