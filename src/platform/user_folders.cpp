#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {
namespace {

bool Absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string Home() {
    if (const char* home = std::getenv("HOME"); Absolute(home)) return home;
    // A service or a login without HOME still has its account's home.
    if (const passwd* account = ::getpwuid(::getuid()); account && Absolute(account->pw_dir)) {
        return account->pw_dir;
    }
    return {};
}

std::string WithSlash(std::string path) {
    if (path.back() != '/') path += '/';
    return path;
}

std::string UserFolder(const char* variable, const char* under_home) {
    if (const char* value = std::getenv(variable); Absolute(value)) return WithSlash(value);
    const std::string home = Home();
    return home.empty() ? std::string() : WithSlash(home + "/" + under_home);
}

}  // namespace

std::string UserDataHome() {
    return UserFolder("XDG_DATA_HOME", ".local/share");
}

std::string UserConfigHome() {
    return UserFolder("XDG_CONFIG_HOME", ".config");
}

}  // namespace platform
