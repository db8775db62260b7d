// The scratch files of the harnesses whose code only reads and writes files go to tmpfs when
// there is one: a disk would slow every input down.

#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm")) {
        setenv("TMPDIR", "/dev/shm", 1);
    }
    return 0;
}
