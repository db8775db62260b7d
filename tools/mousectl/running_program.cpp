#include "mousectl/running_program.h"

#include <chrono>
#include <thread>

#include "platform/private_folder.h"

namespace nimba::mousectl {
namespace {

using Clock = std::chrono::steady_clock;

// A copy that has just taken the lock starts listening once its window is up.
constexpr auto kListenRetry = std::chrono::milliseconds(50);

}  // namespace

ProgramReply TellRunningProgram(const std::string& data_directory, StoresApply apply,
                                std::ostream& err) {
    const std::string folder = DefaultRuntimeFolder();
    if (const std::string refusal = platform::PreparePrivateFolder(folder); !refusal.empty()) {
        err << "nimba-mousectl: " << refusal << "; a running nimba-mouse cannot be told of the "
            << "change, which is saved\n";
        return ProgramReply::kNoAnswer;
    }
    const std::string request = StoresChangedRequest({apply, data_directory});
    const auto deadline = Clock::now() + std::chrono::milliseconds(kAnswerTimeoutMs);
    std::optional<std::string> answer;
    while (!answer) {
        if (!InstanceRuns(folder)) return ProgramReply::kNotRunning;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        answer = AskRunningCopy(folder, request, static_cast<int>(left.count()));
        if (!answer) std::this_thread::sleep_for(kListenRetry);
    }
    const std::optional<InstanceAnswer> reply = answer ? ParseAnswer(*answer) : std::nullopt;
    if (!reply) {
        err << "nimba-mousectl: the running nimba-mouse did not answer within "
            << kAnswerTimeoutMs / 1000 << " s; the change is saved, but it may not have taken it\n";
        return ProgramReply::kNoAnswer;
    }
    switch (*reply) {
        case InstanceAnswer::kDone:
            return ProgramReply::kDone;
        case InstanceAnswer::kNoMouse:
            return ProgramReply::kNoMouse;
        case InstanceAnswer::kLater:
            err << "nimba-mousectl: nimba-mouse has a dialog open; it takes the change once that "
                   "closes\n";
            return ProgramReply::kDone;
        case InstanceAnswer::kOtherStores:
            // The running program is another folder's, with its own stores and mouse.
            return ProgramReply::kNotRunning;
    }
    return ProgramReply::kNoAnswer;
}

}  // namespace nimba::mousectl
