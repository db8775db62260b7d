#include "app/autostart_entry.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "persistence/atomic_file.h"
#include "persistence/data_directory.h"
#include "platform/user_folders.h"

namespace nimba {
namespace {

// Exec quoting of the desktop entry format: the path in double quotes with `"`, `` ` ``, `$`
// and `\` escaped by a backslash, every backslash then escaped again as the format's strings
// require, and `%` doubled since Exec expands field codes.
std::string QuotedForExec(std::string_view path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
        if (c == '\\') quoted += "\\\\\\";
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

bool TakeAutostartRequest() {
    const char* value = std::getenv(kAutostartVariable);
    const bool requested = value != nullptr && std::string_view(value) == "1";
    ::unsetenv(kAutostartVariable);
    return requested;
}

std::string AutostartEntryPath() {
    const std::string config = platform::UserConfigHome();
    return config.empty() ? std::string() : config + "autostart/com.nimba.r380x.desktop";
}

bool AutostartEnabled() {
    const std::string path = AutostartEntryPath();
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool SetAutostart(bool enabled, const std::string& program) {
    const std::string path = AutostartEntryPath();
    if (path.empty()) return false;
    std::error_code ec;
    if (!enabled) return std::filesystem::remove(path, ec) || !ec;
    EnsureFolder(std::filesystem::path(path).parent_path());
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=NIMBA R380X\n"
        "Comment=Keeps the NIMBA R380X mouse utility in the tray\n"
        "Exec=env " +
        std::string(kAutostartVariable) + "=1 " + QuotedForExec(program) + "\n" +
        "Icon=com.nimba.r380x\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    return WriteFileAtomically(
        path, [&entry](OutputStream& out) { return out.Write(entry.data(), entry.size()); });
}

}  // namespace nimba
