#pragma once

// Folders for sockets and lock files that only this user may reach: anyone else able to put
// files there could answer in the program's place or keep it from starting.

#include <sys/un.h>

#include <string>

namespace platform {

// Fills `address` for the Unix socket at `path`; false when the path is too long for one.
bool UnixAddress(const std::string& path, sockaddr_un& address);

// Makes `folder` (mode 0700) when it is missing. Returns why it must not be used, empty when
// it may: it must be a directory, not a symbolic link, owned by this user and closed to
// everyone else.
std::string PreparePrivateFolder(const std::string& folder);

// Binds the Unix socket `fd` to `path` (inside such a folder) and makes it 0600. Not through the
// umask, which is the whole process's: another thread's files would be made 0600 meanwhile.
bool BindPrivateSocket(int fd, const std::string& path);

}  // namespace platform
