#include "persistence/profile_file.h"

#include <memory>

#include "model/button_functions.h"
#include "model/utf16.h"
#include "persistence/atomic_file.h"
#include "persistence/file_stream.h"
#include "persistence/unique_name.h"

namespace nimba {

bool ExportProfile(const std::string& path, const ProfileRecord& profile) {
    return WriteFileAtomically(path, [&](OutputStream& out) { return WriteRecord(out, profile); });
}

ImportResult ImportProfile(const std::string& path, ProfileStore& profiles, MacroStore& macros) {
    OpenFailure failure;
    auto in = FileInputStream::Open(path, &failure);
    if (!in) return {RefusalFor(failure), -1};
    auto profile = std::make_unique<ProfileRecord>();
    if (ReadRecord(*in, *profile) < sizeof(ProfileRecord)) return {ImportStatus::kTruncated, -1};
    in.reset();

    // The macros are carried over before the profile is listed, so no one ever sees the new
    // profile pointing at the old macro names and indices.
    bool macro_added = false;
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonAssignment& button = profile->buttons[i];
        if (button.function != kFunctionMacro) continue;
        macros.AddFromButton(button);
        macro_added = true;
    }
    const int index = profiles.Edit([&](ProfileList& list, ProfileStoreHeader&) {
        CopyName(profile->name, NameForNewRecord(list, NameView(profile->name), kProfileNameChars,
                                                 kProfileRuleChars));
        list.push_back(std::move(profile));
        return static_cast<int>(list.size()) - 1;
    });
    // Both stores or neither: a macro without the profile that brought it would be a stray.
    return {ImportStatus::kImported, index,
            macro_added ? profiles.SaveTogether(macros) : profiles.Save()};
}

}  // namespace nimba
