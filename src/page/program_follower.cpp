#include "page/program_follower.h"

#include <cstdio>

#include "model/utf16.h"
#include "page/profile_list_actions.h"
#include "platform/messages.h"
#include "skin/window_impl_base.h"

namespace nimba {
namespace {

// The index of the profile named `name`, -1 when there is none; and the current index.
std::pair<int, int> FindProfile(ProfileStore& store, const std::string& name) {
    return store.Edit([&](const ProfileList& list, const ProfileStoreHeader& header) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (SameName(Utf16ToUtf8(NameView(list[i]->name)), name))
                return std::pair{static_cast<int>(i), header.current_profile_index};
        }
        return std::pair{-1, header.current_profile_index};
    });
}

}  // namespace

ProgramFollower::ProgramFollower(ProfileStore& store, ProfileListActions& actions,
                                 std::function<void()> status_changed)
    : store_(store), actions_(actions), status_changed_(std::move(status_changed)) {}

void ProgramFollower::LoadRules() {
    ProgramRulesRead read = LoadProgramRules(store_.data_directory());
    for (const SkippedLine& line : read.skipped)
        std::fprintf(stderr, "nimba-mouse: %s; the line is skipped\n",
                     SkippedLineText(line).c_str());
    TakeRules(std::move(read));
}

bool ProgramFollower::EditRules(const ProgramRules& before, const ProgramRules& after) {
    ProgramRules rules = LoadProgramRules(store_.data_directory()).rules;
    rules.TakeEdits(before, after);
    TakeRules({std::move(rules), {}});
    return SaveProgramRules(store_.data_directory(), read_.rules);
}

void ProgramFollower::TakeRules(ProgramRulesRead read) {
    // New rules count from the next program in front, even when it is the one that was: a
    // rule just given to the game takes effect on going back to the game.
    if (!(read.rules == read_.rules)) settled_.clear();
    read_ = std::move(read);
}

bool ProgramFollower::OnProfileRenamed(const std::string& old_name, const std::string& new_name) {
    if (SameName(followed_profile_, old_name)) followed_profile_ = new_name;
    return FollowProfile(old_name, new_name);
}

bool ProgramFollower::OnProfileDeleted(const std::string& name) {
    return FollowProfile(name, std::nullopt);
}

bool ProgramFollower::FollowProfile(const std::string& name,
                                    const std::optional<std::string>& new_name) {
    ProfileFollowed followed = RulesFollowProfile(store_.data_directory(), name, new_name);
    TakeRules(std::move(followed.read));
    return followed.saved;
}

void ProgramFollower::OnFront(std::optional<ProgramNames> names) {
    KillTimer(window_, kFrontSettleTimer);
    pending_ = std::move(names);
    // Back to the program that was settled: nothing to do, and a profile the user picked
    // meanwhile stays.
    if (!pending_ || *pending_ == settled_) return;
    SetTimer(window_, kFrontSettleTimer, kFrontSettleMs);
}

void ProgramFollower::OnSettled() {
    KillTimer(window_, kFrontSettleTimer);
    if (!pending_) return;
    // An open dialog works on the profiles as they are: the switch waits until it closes.
    if (WindowImplBase::ModalDepth() > 0) {
        SetTimer(window_, kFrontSettleTimer, kFrontSettleMs);
        return;
    }
    settled_ = *std::exchange(pending_, std::nullopt);
    const ProgramRule* rule = read_.rules.Find(settled_);
    followed_program_ = rule != nullptr ? rule->program : std::string();
    followed_profile_ = rule != nullptr ? rule->profile : std::string();
    const std::string profile = read_.rules.ProfileFor(settled_);
    status_changed_();
    if (profile.empty()) return;
    const auto [index, current] = FindProfile(store_, profile);
    if (index < 0) {
        std::fprintf(stderr, "nimba-mouse: programs.conf names the profile '%s', which is gone\n",
                     profile.c_str());
        return;
    }
    if (index != current) actions_.SwitchProfile(index);
}

std::string ProgramFollower::FollowedProgram() const {
    if (followed_program_.empty()) return {};
    const auto [index, current] = FindProfile(store_, followed_profile_);
    return index >= 0 && index == current ? followed_program_ : std::string();
}

}  // namespace nimba
