#pragma once

// How every editing command ends: the stores are saved at once and, when asked, the mouse is
// brought in line the way the program does it. While the program runs, it does both.

#include <functional>
#include <ostream>
#include <string>

#include "model/profile_record.h"
#include "mousectl/store_session.h"
#include "persistence/profile_store.h"

namespace nimba::mousectl {

// Sends the current profile to the mouse: every group when `whole`, else only the groups that
// differ from `mouse_holds`. Returns the exit code; 3 when no mouse answers. A running program
// of these stores is asked to do it instead, sending what differs from what it last sent.
int ApplyToMouse(ProfileStore& profiles, const ProfileRecord& mouse_holds, bool whole,
                 std::ostream& err);

// Lets go of the stores and tells a running program of them to read them again after a save;
// the exit code.
int StoresSaved(StoreSession& session, std::ostream& err);

// Saves the profile store after a change and applies it when `apply` is set. `before` is the
// current profile as it was before the change.
// `saved` runs once the store is saved, before the apply.
int FinishChange(StoreSession& session, const ProfileRecord& before, bool whole, bool apply,
                 std::ostream& err, const std::function<void()>& saved = {});

// A copy of the current profile, for `FinishChange`.
ProfileRecord CurrentProfile(ProfileStore& profiles);
// Writes an edited copy back over the current profile.
void ReplaceCurrentProfile(ProfileStore& profiles, const ProfileRecord& changed);

}  // namespace nimba::mousectl
