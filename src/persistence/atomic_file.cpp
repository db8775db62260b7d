#include "persistence/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "persistence/file_stream.h"

namespace nimba {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp.";

// Unique per process and call, so concurrent saves never share a temporary file; the process
// id also tells which temporaries a killed process left.
std::string TemporaryPathBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + std::string(kTemporaryMark) + std::to_string(::getpid()) + "." +
           std::to_string(++counter);
}

bool ProcessRuns(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// Renaming over a link would replace the link by a plain file: the link's target is replaced.
std::string Resolved(const std::string& link_or_path) {
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(link_or_path, ec);
    return ec ? link_or_path : resolved.string();
}

// Writes `write`'s bytes to the new file `temporary`, on disk when it returns true; on any
// failure the file is gone.
bool WriteTemporary(const std::string& temporary, const std::function<bool(OutputStream&)>& write) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    FileOutputStream out(fd);
    bool ok = write(out) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

constexpr size_t kMaxJournal = 64 * 1024;

}  // namespace

bool WriteFileAtomically(const std::string& link_or_path,
                         const std::function<bool(OutputStream&)>& write) {
    const std::string path = Resolved(link_or_path);
    const std::string temporary = TemporaryPathBeside(path);
    if (!WriteTemporary(temporary, write)) return false;
    if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

bool ReplaceFilesTogether(const std::string& journal, const std::vector<FileReplacement>& files) {
    std::string moves;  // temporary '\0' target '\0' ...: paths may hold any other byte
    std::vector<std::string> temporaries;
    bool ok = true;
    for (const FileReplacement& file : files) {
        const std::string target = Resolved(file.path);
        std::string temporary = TemporaryPathBeside(target);
        ok = WriteTemporary(temporary, file.write);
        if (!ok) break;
        moves += temporary + '\0' + target + '\0';
        temporaries.push_back(std::move(temporary));
    }
    ok = ok && WriteFileAtomically(journal, [&](OutputStream& out) {
             return out.Write(moves.data(), moves.size());
         });
    if (!ok) {
        for (const std::string& temporary : temporaries) ::unlink(temporary.c_str());
        return false;
    }
    // From here on the save is decided: a kill is completed by the next load.
    for (size_t at = 0; at < moves.size();) {
        const std::string temporary = moves.c_str() + at;
        at += temporary.size() + 1;
        const std::string target = moves.c_str() + at;
        at += target.size() + 1;
        ok = std::rename(temporary.c_str(), target.c_str()) == 0 && ok;
    }
    // A rename that failed is tried again by the next load.
    if (ok) ::unlink(journal.c_str());
    return ok;
}

void FinishFilesTogether(const std::string& journal, const std::vector<std::string>& targets) {
    const std::optional<std::string> read = ReadSmallFile(journal, kMaxJournal);
    if (!read) return;
    const std::string& moves = *read;
    std::vector<std::string> allowed;
    for (const std::string& target : targets) allowed.push_back(Resolved(target));
    size_t at = 0;
    for (;;) {
        const size_t temporary_end = moves.find('\0', at);
        const size_t target_end = moves.find('\0', temporary_end + 1);
        if (temporary_end == std::string::npos || target_end == std::string::npos) break;
        const std::string temporary = moves.substr(at, temporary_end - at);
        const std::string target = moves.substr(temporary_end + 1, target_end - temporary_end - 1);
        at = target_end + 1;
        const bool known = std::find(allowed.begin(), allowed.end(), target) != allowed.end();
        const std::string mark = target + std::string(kTemporaryMark);
        if (known && temporary.starts_with(mark) &&
            temporary.find('/', mark.size()) == std::string::npos) {
            std::rename(temporary.c_str(), target.c_str());  // already done when it fails
        }
    }
    ::unlink(journal.c_str());
}

void RemoveStaleTemporaries(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    std::vector<std::string> prefixes;
    for (const std::string& path : paths) {
        prefixes.push_back(std::filesystem::path(path).filename().string() +
                           std::string(kTemporaryMark));
    }
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(paths.front()).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        for (const std::string& prefix : prefixes) {
            if (!name.starts_with(prefix)) continue;
            const pid_t pid = static_cast<pid_t>(std::atoi(name.c_str() + prefix.size()));
            if (!ProcessRuns(pid)) std::filesystem::remove(entry.path(), ec);
            break;
        }
    }
}

}  // namespace nimba
