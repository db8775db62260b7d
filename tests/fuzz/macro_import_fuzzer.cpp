// A macro file as anyone may hand it to the import. A refused file leaves the macro list and
// macro.data byte for byte as they were; an accepted one adds one macro with a terminated,
// unique name and a count within the action array, and macro.data holds the list.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "macro/macro_file.h"
#include "model/utf16.h"
#include "persistence/name_case.h"
#include "test_folder.h"

namespace nimba {
namespace {

struct Store {
    testing::TestFolder folder;
    MacroStore macros{folder.path(), testing::StoreText};
    std::vector<char> file_before;

    Store() {
        macros.Add(MacroRecord{u"Copy", 1, 2, {{6, 1, 20}, {6, 2, 10}}});
        FUZZ_CHECK(macros.Save());
        file_before = fuzz::FileBytes(macros.FilePath());
    }
    std::vector<char> ListBytes() {
        fuzz::MemoryOutputStream out;
        macros.Edit([&](MacroList& list) { return WriteMacroList(out, list); });
        return out.bytes;
    }
};

}  // namespace
}  // namespace nimba

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    static Store store;
    const std::string file = store.folder.path() + "import.macro";
    testing::WriteBytes(file, data, size);
    const ImportResult result = ImportMacro(file, store.macros);

    MacroRecord given{};
    std::memcpy(&given, data, std::min(size, sizeof given));
    const bool acceptable = size >= sizeof(MacroRecord) && given.action_count >= 0 &&
                            given.action_count <= kMaxMacroActions;
    FUZZ_CHECK((result.status == ImportStatus::kImported) == acceptable);
    if (!acceptable) {
        FUZZ_CHECK(result.index == -1);
        FUZZ_CHECK(store.ListBytes() == store.file_before);
        FUZZ_CHECK(fuzz::FileBytes(store.macros.FilePath()) == store.file_before);
        return 0;
    }
    FUZZ_CHECK(result.index == 1 && result.saved);
    MacroRecord first{};
    MacroRecord added{};
    FUZZ_CHECK(store.macros.CopyRecord(0, first) && store.macros.CopyRecord(1, added));
    FUZZ_CHECK(store.macros.Size() == 2);
    FUZZ_CHECK(fuzz::Terminated(added.name));
    FUZZ_CHECK(!EqualsIgnoringCase(NameView(first.name), NameView(added.name)));
    FUZZ_CHECK(added.action_count == given.action_count && added.loop_count == given.loop_count);
    FUZZ_CHECK(std::memcmp(added.actions, given.actions, sizeof added.actions) == 0);
    FUZZ_CHECK(fuzz::FileBytes(store.macros.FilePath()) == store.ListBytes());

    FUZZ_CHECK(store.macros.Remove(1));  // saves: macro.data is back to the one macro
    return 0;
}
