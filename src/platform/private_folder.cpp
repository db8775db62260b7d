#include "platform/private_folder.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::string PreparePrivateFolder(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    // Never follows a link, and fails on anything already there, which is then checked.
    mkdir(path.c_str(), 0700);
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return path + ": " + std::strerror(errno);
    if (S_ISLNK(info.st_mode)) return path + " is a symbolic link";
    if (!S_ISDIR(info.st_mode)) return path + " is not a folder";
    if (info.st_uid != geteuid()) {
        return path + " belongs to user " + std::to_string(info.st_uid) + ", not to you";
    }
    if ((info.st_mode & 077) != 0) return path + " is open to other users (not mode 0700)";
    return {};
}

bool UnixAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool BindPrivateSocket(int fd, const std::string& path) {
    sockaddr_un address;
    if (!UnixAddress(path, address)) return false;
    return bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
           chmod(path.c_str(), 0600) == 0;
}

}  // namespace platform
