#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>

namespace nimba {

// What tells one version of a file from another: a save replaces the file (a new inode), and an
// edit in place changes its time or size. All zero for a file that is not there.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modified_ns = 0;
    bool operator==(const FileStamp&) const = default;
};

inline FileStamp StampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {st.st_dev, st.st_ino, st.st_size,
            st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

}  // namespace nimba
