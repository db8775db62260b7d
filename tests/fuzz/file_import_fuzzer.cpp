// A file as anyone may hand it to the import, imported as a profile and then as a macro. A
// refused file leaves both stores as they were, in memory and on disk. An accepted profile
// adds one profile whose names are terminated and unique and whose macros agree with the macro
// list, and every report an apply would build from it comes out whole; an accepted macro adds
// one macro with a terminated, unique name and the file's count, loops and actions. Whatever an
// import saves, macro.data holds the list.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "fuzz_check.h"
#include "macro/macro_file.h"
#include "model/button_functions.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "persistence/profile_file.h"
#include "protocol/apply_sequence.h"
#include "test_folder.h"

namespace nimba {
namespace {

// A fixed text field that holds its terminator.
template <size_t N>
bool Terminated(const char16_t (&field)[N]) {
    return std::find(std::begin(field), std::end(field), u'\0') != std::end(field);
}

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
        macro_file_before = testing::ReadBytes(macros.FilePath());
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
               testing::ReadBytes(macros.FilePath()) == macro_file_before;
    }
    // What an import did to the stores beyond its own record, then back to the stores every
    // input starts from.
    void CheckAndRestore(const ImportResult& result) {
        if (result.status != ImportStatus::kImported) {
            FUZZ_CHECK(result.index == -1 && Unchanged());
        } else if (result.saved) {
            fuzz::MemoryOutputStream expected;
            macros.Edit([&](MacroList& list) { return WriteMacroList(expected, list); });
            FUZZ_CHECK(testing::ReadBytes(macros.FilePath()) == expected.bytes);
        }
        profiles.Edit(
            [&](ProfileList& list, ProfileStoreHeader&) { list.resize(profiles_before.size()); });
        macros.Edit([&](MacroList& list) { list.resize(macros_before.size()); });
        if (testing::ReadBytes(macros.FilePath()) != macro_file_before) FUZZ_CHECK(macros.Save());
    }
};

void CheckImportedProfile(Stores& stores, int index) {
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

void CheckImportedMacro(Stores& stores, const ImportResult& result, const uint8_t* data,
                        size_t size) {
    MacroRecord given{};
    std::memcpy(&given, data, std::min(size, sizeof given));
    const bool acceptable = size >= sizeof(MacroRecord) && given.action_count >= 0 &&
                            given.action_count <= kMaxMacroActions;
    FUZZ_CHECK((result.status == ImportStatus::kImported) == acceptable);
    if (!acceptable) return;
    const auto macros = stores.MacroCopies();
    FUZZ_CHECK(result.index == 1 && result.saved && macros.size() == 2);
    const MacroRecord& added = macros[1];
    FUZZ_CHECK(Terminated(added.name));
    FUZZ_CHECK(!EqualsIgnoringCase(NameView(macros[0].name), NameView(added.name)));
    FUZZ_CHECK(added.action_count == given.action_count && added.loop_count == given.loop_count);
    FUZZ_CHECK(std::memcmp(added.actions, given.actions, sizeof added.actions) == 0);
}

}  // namespace
}  // namespace nimba

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    static Stores stores;
    const std::string file = stores.folder.path() + "import";
    testing::WriteBytes(file, data, size);
    const ImportResult profile = ImportProfile(file, stores.profiles, stores.macros);
    if (size < sizeof(ProfileRecord)) FUZZ_CHECK(profile.status == ImportStatus::kTruncated);
    if (profile.status == ImportStatus::kImported) CheckImportedProfile(stores, profile.index);
    stores.CheckAndRestore(profile);
    const ImportResult macro = ImportMacro(file, stores.macros);
    CheckImportedMacro(stores, macro, data, size);
    stores.CheckAndRestore(macro);
    return 0;
}
