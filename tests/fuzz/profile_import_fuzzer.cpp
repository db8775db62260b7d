// A profile file as anyone may hand it to the import. A refused file leaves both stores as
// they were, in memory and on disk; an accepted one adds one profile whose names are
// terminated and unique and whose macros agree with the macro list, and every report an
// apply would build from it comes out whole.

#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_check.h"
#include "model/button_functions.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "persistence/profile_file.h"
#include "protocol/apply_sequence.h"
#include "test_folder.h"

namespace nimba {
namespace {

using fuzz::Terminated;

struct Stores {
    testing::TestFolder folder;
    ProfileStore profiles{folder.path(), testing::StoreText};
    MacroStore macros{folder.path(), testing::StoreText};
    std::vector<ProfileRecord> profiles_before;
    std::vector<MacroRecord> macros_before;
    std::vector<char> macro_file_before;

    Stores() {
        profiles.Load();
        macros.Add(MacroRecord{u"Copy", 1, 2, {{6, 1, 20}, {6, 2, 10}}});
        FUZZ_CHECK(macros.Save());
        profiles_before = ProfileCopies();
        macros_before = MacroCopies();
        macro_file_before = fuzz::FileBytes(macros.FilePath());
    }

    std::vector<ProfileRecord> ProfileCopies() {
        return profiles.Edit([](ProfileList& list, ProfileStoreHeader&) {
            std::vector<ProfileRecord> copies;
            for (const auto& p : list) copies.push_back(*p);
            return copies;
        });
    }
    std::vector<MacroRecord> MacroCopies() {
        return macros.Edit([](MacroList& list) {
            std::vector<MacroRecord> copies;
            for (const auto& m : list) copies.push_back(*m);
            return copies;
        });
    }
    bool Unchanged() {
        const auto p = ProfileCopies();
        const auto m = MacroCopies();
        return p.size() == profiles_before.size() && m.size() == macros_before.size() &&
               std::memcmp(p.data(), profiles_before.data(), p.size() * sizeof(ProfileRecord)) ==
                   0 &&
               std::memcmp(m.data(), macros_before.data(), m.size() * sizeof(MacroRecord)) == 0 &&
               fuzz::FileBytes(macros.FilePath()) == macro_file_before;
    }
    // Back to the stores every input starts from.
    void Restore() {
        profiles.Edit(
            [&](ProfileList& list, ProfileStoreHeader&) { list.resize(profiles_before.size()); });
        macros.Edit([&](MacroList& list) { list.resize(macros_before.size()); });
        if (fuzz::FileBytes(macros.FilePath()) != macro_file_before) FUZZ_CHECK(macros.Save());
    }
};

void CheckImported(Stores& stores, int index) {
    const auto profiles = stores.ProfileCopies();
    const auto macros = stores.MacroCopies();
    FUZZ_CHECK(index == static_cast<int>(stores.profiles_before.size()));
    FUZZ_CHECK(profiles.size() == stores.profiles_before.size() + 1);
    FUZZ_CHECK(std::memcmp(profiles.data(), stores.profiles_before.data(),
                           stores.profiles_before.size() * sizeof(ProfileRecord)) == 0);
    const ProfileRecord& imported = profiles.back();
    FUZZ_CHECK(Terminated(imported.name));
    for (size_t i = 0; i + 1 < profiles.size(); ++i) {
        FUZZ_CHECK(!EqualsIgnoringCase(NameView(profiles[i].name), NameView(imported.name)));
    }
    for (const MacroRecord& macro : macros) {
        FUZZ_CHECK(Terminated(macro.name));
        FUZZ_CHECK(macro.action_count >= 0 && macro.action_count <= kMaxMacroActions);
    }
    for (int k = 0; k < kButtonCount; ++k) {
        const ButtonAssignment& button = imported.buttons[k];
        if (button.function != kFunctionMacro) continue;
        FUZZ_CHECK(Terminated(button.macro_name));
        FUZZ_CHECK(button.macro_action_count <= kMaxMacroActions);
        FUZZ_CHECK(button.macro_index >= static_cast<int>(stores.macros_before.size()) &&
                   button.macro_index < static_cast<int>(macros.size()));
        const MacroRecord& macro = macros[static_cast<size_t>(button.macro_index)];
        FUZZ_CHECK(NameView(macro.name) == NameView(button.macro_name));
        FUZZ_CHECK(macro.action_count == button.macro_action_count);
    }
    for (const auto& report : ApplyReports(imported, ChangeFlags::All(), true)) {
        FUZZ_CHECK(report.bytes.size() > 1 && report.bytes[1] == report.bytes.size());
    }
}

}  // namespace
}  // namespace nimba

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    static Stores stores;
    const std::string file = stores.folder.path() + "import.pro";
    testing::WriteBytes(file, data, size);
    const ImportResult result = ImportProfile(file, stores.profiles, stores.macros);
    if (size < sizeof(ProfileRecord)) {
        FUZZ_CHECK(result.status == ImportStatus::kTruncated && result.index == -1);
    }
    if (result.status == ImportStatus::kImported) {
        CheckImported(stores, result.index);
        if (result.saved) {
            fuzz::MemoryOutputStream expected;
            stores.macros.Edit([&](MacroList& list) { return WriteMacroList(expected, list); });
            FUZZ_CHECK(fuzz::FileBytes(stores.macros.FilePath()) == expected.bytes);
        }
    } else {
        FUZZ_CHECK(stores.Unchanged());
    }
    stores.Restore();
    return 0;
}
