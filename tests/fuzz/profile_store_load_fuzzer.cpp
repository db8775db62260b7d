// pro.data as a crash, a disk error or another program may leave it. The input is the current
// index (4 bytes) and what follows the header; the header's reserved slots, never read, stay
// zero. An input under 4 bytes is the whole file: a header cut short.
// A store with records loads as it is, record for record, and is not written; one without
// is replaced by a store of one default profile, its bytes kept in a damaged copy.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "fuzz_check.h"
#include "persistence/profile_store.h"
#include "test_folder.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace nimba;
    static testing::TestFolder folder;
    static auto header = std::make_unique<ProfileStoreHeader>();
    static std::vector<char> file;

    file.assign(data, data + size);
    if (size >= sizeof(int32_t)) {
        file.insert(file.begin() + sizeof(int32_t), sizeof(ProfileStoreHeader::reserved_slots), 0);
    }
    const fs::path store = folder.path() + "ms_1";
    fs::remove_all(store);
    fs::create_directories(store);
    const std::string path = ProfileStorePath(folder.path());
    testing::WriteBytes(path, file.data(), file.size());

    ProfileList profiles;
    LoadProfileStore(folder.path(), profiles, *header, testing::StoreText);

    const size_t after_header =
        file.size() > sizeof(ProfileStoreHeader) ? file.size() - sizeof(ProfileStoreHeader) : 0;
    if (after_header > 0) {
        FUZZ_CHECK(testing::ReadBytes(path) == file);
        FUZZ_CHECK(FilesIn(store).size() == 1);
        const size_t records = (after_header + sizeof(ProfileRecord) - 1) / sizeof(ProfileRecord);
        FUZZ_CHECK(profiles.size() == records);
        int32_t given = 0;
        std::memcpy(&given, data, sizeof given);
        const bool inside = given >= 0 && static_cast<size_t>(given) < records;
        FUZZ_CHECK(header->current_profile_index == (inside ? given : 0));
        // Record for record what the file holds, a last partial one completed with zeros.
        file.resize(sizeof(ProfileStoreHeader) + records * sizeof(ProfileRecord), 0);
        for (size_t i = 0; i < records; ++i) {
            FUZZ_CHECK(
                std::memcmp(profiles[i].get(),
                            file.data() + sizeof(ProfileStoreHeader) + i * sizeof(ProfileRecord),
                            sizeof(ProfileRecord)) == 0);
        }
        return 0;
    }
    FUZZ_CHECK(profiles.size() == 1 && header->current_profile_index == 0);
    fuzz::MemoryOutputStream written;
    WriteProfileStore(written, profiles, *header);
    FUZZ_CHECK(testing::ReadBytes(path) == written.bytes);
    const auto files = FilesIn(store);
    FUZZ_CHECK(files.size() == (file.empty() ? 1u : 2u));
    for (const auto& kept : files) {
        if (kept != path) FUZZ_CHECK(testing::ReadBytes(kept) == file);
    }
    return 0;
}
