// `use`, `add`, `rename`, `delete`, `reset`: the page's profile list actions. Each is saved at
// once; with --apply a change of the current profile sends it whole, as the page does.

#include <functional>
#include <sstream>

#include "model/profile_defaults.h"
#include "model/utf16.h"
#include "mousectl/commands.h"
#include "mousectl/profile_change.h"
#include "mousectl/program_rules_sync.h"
#include "mousectl/store_session.h"
#include "mousectl/terminal_text.h"
#include "persistence/data_directory.h"
#include "persistence/unique_name.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

// The name dialog's checks: not empty, not another profile's (ignoring case), and whole in
// its field rather than cut. `self` is the profile being renamed, -1 for a new one.
bool CheckName(const ProfileList& list, const std::u16string& name, int self, std::ostream& err) {
    const CResourceManager& texts = CResourceManager::GetInstance();
    if (name.empty()) {
        err << "nimba-mousectl: " << texts.GetTextUtf8("warn_name_1_text") << "\n";
        return false;
    }
    if (CutName(name, kProfileNameChars).size() != name.size()) {
        err << "nimba-mousectl: the name is longer than " << kProfileNameChars << " characters\n";
        return false;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (static_cast<int>(i) != self && EqualsIgnoringCase(NameView(list[i]->name), name)) {
            err << "nimba-mousectl: " << texts.GetTextUtf8("warn_name_2_text") << "\n";
            return false;
        }
    }
    return true;
}

// Changes the profile the first argument names. `change(list, header, index)` says whether the
// mouse must be sent the whole current profile afterwards, or nothing when it refuses.
// What `change` writes to its stream is printed once the change is saved.
template <typename Change>
// `saved` runs once the store holds the change (files beside the store follow it only then).
int ChangeNamedProfile(
    const Invocation& call, std::ostream& out, std::ostream& err, Change change,
    const std::function<void()>& saved = [] {}) {
    StoreSession session;
    const ProfileRecord before = CurrentProfile(session.profiles);
    bool whole = false;
    std::ostringstream line;
    const bool changed = session.profiles.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
        const auto index = FindProfile(list, call.args[0], err);
        const std::optional<bool> result =
            index ? change(list, header, *index, line) : std::nullopt;
        whole = result.value_or(false);
        return result.has_value();
    });
    if (!changed) return kExitUsage;
    return FinishChange(session, before, whole, call.apply, err, [&] {
        saved();
        out << line.str();
    });
}

// A profile's index and name as the list commands print them.
void PrintProfileLine(std::ostream& out, int32_t index, const ProfileRecord& profile,
                      bool current = false) {
    out << index << '\t' << TerminalText(Utf16ToUtf8(NameView(profile.name)))
        << (current ? "\t*\n" : "\n");
}

}  // namespace

int RunUse(const Invocation& call, std::ostream& out, std::ostream& err) {
    return ChangeNamedProfile(
        call, out, err,
        [&](ProfileList& list, ProfileStoreHeader& header, int index, std::ostream& line) {
            header.current_profile_index = index;
            PrintProfileLine(line, index, *list[index]);
            return std::optional(true);
        });
}

int RunAdd(const Invocation& call, std::ostream& out, std::ostream& err) {
    StoreSession session;
    const ProfileRecord before = CurrentProfile(session.profiles);
    const std::u16string name = Utf8ToUtf16(std::string(call.args[0]));
    std::ostringstream line;
    const bool added = session.profiles.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
        if (!CheckName(list, name, -1, err)) return false;
        list.push_back(NewProfile(name));
        header.current_profile_index = static_cast<int32_t>(list.size() - 1);
        PrintProfileLine(line, header.current_profile_index, *list.back());
        return true;
    });
    if (!added) return kExitUsage;
    return FinishChange(session, before, true, call.apply, err, [&] { out << line.str(); });
}

int RunRename(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::u16string name = Utf8ToUtf16(std::string(call.args[1]));
    std::string old_name;
    // A name is not sent to the mouse.
    return ChangeNamedProfile(
        call, out, err,
        [&](ProfileList& list, ProfileStoreHeader&, int index, std::ostream&) {
            if (!CheckName(list, name, index, err)) return std::optional<bool>();
            old_name = Utf16ToUtf8(NameView(list[index]->name));
            CopyName(list[index]->name, name);
            return std::optional(false);
        },
        [&] { RulesFollowRename(GetDataDirectory(), old_name, Utf16ToUtf8(name), err); });
}

int RunDelete(const Invocation& call, std::ostream& out, std::ostream& err) {
    std::string deleted;
    return ChangeNamedProfile(
        call, out, err,
        [&](ProfileList& list, ProfileStoreHeader& header, int index, std::ostream& line) {
            if (list.size() <= 1) {
                err << "nimba-mousectl: "
                    << CResourceManager::GetInstance().GetTextUtf8("one_profile_text") << "\n";
                return std::optional<bool>();
            }
            deleted = Utf16ToUtf8(NameView(list[index]->name));
            list.erase(list.begin() + index);
            int32_t& current = header.current_profile_index;
            // As on the page: the next profile takes the deleted one's place, or the one before
            // when it was the last.
            const bool was_current = current == index;
            if (current > index || current >= static_cast<int32_t>(list.size())) --current;
            PrintProfileLine(line, current, *list[current], true);
            return std::optional(was_current);
        },
        [&] { RulesFollowDelete(GetDataDirectory(), deleted, err); });
}

int RunReset(const Invocation& call, std::ostream& out, std::ostream& err) {
    return ChangeNamedProfile(
        call, out, err,
        [&](ProfileList& list, ProfileStoreHeader& header, int index, std::ostream&) {
            FillProfileDefaults(*list[index]);
            return std::optional(header.current_profile_index == index);
        });
}

}  // namespace nimba::mousectl
