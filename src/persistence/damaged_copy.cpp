#include "persistence/damaged_copy.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/debug_output.h"
#include "platform/text_encoding.h"

namespace nimba {

std::optional<std::string> KeepDamagedCopy(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) == 0 || ec) return std::string();
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string first = path + ".damaged-" + stamp;
    std::string copy = first;
    for (int n = 1; std::filesystem::exists(copy, ec); ++n) copy = first + "-" + std::to_string(n);
    std::filesystem::copy_file(path, copy, ec);
    const std::string trace = ec ? "could not keep the damaged " + path + ": " + ec.message()
                                 : "kept the damaged " + path + " as " + copy;
    Trace(trace);
    return ec ? std::nullopt : std::optional(copy);
}

}  // namespace nimba
