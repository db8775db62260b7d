#pragma once

// How any process of the user reaches the running copy of the program: the lock file and the
// socket in the runtime folder, and the one-line requests and answers on that socket. The
// program listens (SingleInstance); a second start and nimba-mousectl ask.

#include <optional>
#include <string>
#include <string_view>

struct sockaddr_un;

namespace nimba {

// $XDG_RUNTIME_DIR, else a folder of this user under /tmp; ends in '/'. Whoever uses it
// prepares it with platform::PreparePrivateFolder first.
std::string DefaultRuntimeFolder();
std::string InstanceLockPath(const std::string& runtime_folder);
std::string InstanceSocketPath(const std::string& runtime_folder);
// The socket's address; false when its path does not fit in one.
bool InstanceSocketAddress(const std::string& runtime_folder, sockaddr_un& address);
// True while a copy of the program holds the lock in `runtime_folder`.
bool InstanceRuns(const std::string& runtime_folder);

// A second start: show yourself.
inline constexpr std::string_view kShowRequest = "1037";
// `nimba-mouse --quit`: end as "exit" in the tray menu does (a desktop without a tray has no
// other way).
inline constexpr std::string_view kQuitRequest = "quit";

// Another process saved the stores of `data_directory`: read them again, then apply nothing,
// what differs from what the mouse was last sent, or the whole current profile.
enum class StoresApply { kNone, kChanged, kAll };
struct StoresChanged {
    StoresApply apply = StoresApply::kNone;
    std::string data_directory;
};
std::string StoresChangedRequest(const StoresChanged& change);
std::optional<StoresChanged> ParseStoresChanged(std::string_view line);

enum class InstanceAnswer {
    kDone,         // shown; or the stores read again and the apply asked for is under way
    kNoMouse,      // the stores read again, but no mouse is there to apply to
    kLater,        // a dialog is open or the stores are busy: read again (and applied) later
    kOtherStores,  // this copy keeps the stores of another folder
};
std::string_view AnswerWord(InstanceAnswer answer);
std::optional<InstanceAnswer> ParseAnswer(std::string_view word);

inline constexpr int kAnswerTimeoutMs = 2000;

// Sends one request line and returns the answer line; nothing when no copy listens or it has
// not taken the connection and answered within `timeout_ms`.
std::optional<std::string> AskRunningCopy(const std::string& runtime_folder,
                                          std::string_view request,
                                          int timeout_ms = kAnswerTimeoutMs);

}  // namespace nimba
