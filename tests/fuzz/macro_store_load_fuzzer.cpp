// macro.data as a crash, a disk error or another program may leave it. Loading never writes
// the file; every record loaded has a count within the action array; a file that had to be
// mended (a partial record, a count out of range) is kept in a damaged copy, and the next save
// writes the mended list.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "fuzz_check.h"
#include "macro/macro_store.h"
#include "test_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    namespace fs = std::filesystem;
    static testing::TestFolder folder;
    const fs::path store = folder.path() + "ms_1";
    fs::remove_all(store);
    fs::create_directories(store);
    MacroStore macros(folder.path(), testing::StoreText);
    const std::vector<char> file(data, data + size);
    testing::WriteBytes(macros.FilePath(), file.data(), file.size());

    macros.Load();
    FUZZ_CHECK(testing::ReadBytes(macros.FilePath()) == file);
    const size_t records = (size + sizeof(MacroRecord) - 1) / sizeof(MacroRecord);
    FUZZ_CHECK(macros.Size() == records);
    bool mended = size % sizeof(MacroRecord) != 0;
    for (size_t i = 0; i < records; ++i) {
        MacroRecord loaded{};
        FUZZ_CHECK(macros.CopyRecord(static_cast<int>(i), loaded));
        FUZZ_CHECK(loaded.action_count >= 0 && loaded.action_count <= kMaxMacroActions);
        MacroRecord given{};
        const size_t at = i * sizeof(MacroRecord);
        std::memcpy(&given, data + at, std::min(sizeof given, size - at));
        mended = mended || given.action_count != loaded.action_count;
        given.action_count = loaded.action_count;
        FUZZ_CHECK(std::memcmp(&given, &loaded, sizeof given) == 0);
    }
    // The stores' lock file stays, as a lock file must.
    const auto entries =
        std::count_if(fs::directory_iterator(store), fs::directory_iterator(),
                      [](const auto& e) { return e.path().filename() != "stores.lock"; });
    FUZZ_CHECK(entries == (mended ? 2 : 1));

    FUZZ_CHECK(macros.Save());
    fuzz::MemoryOutputStream expected;
    macros.Edit([&](MacroList& list) { return WriteMacroList(expected, list); });
    FUZZ_CHECK(testing::ReadBytes(macros.FilePath()) == expected.bytes);
    return 0;
}
