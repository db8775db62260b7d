#include "mousectl/running_program.h"

#include "platform/private_folder.h"

namespace nimba::mousectl {

ProgramReply TellRunningProgram(const std::string& data_directory, StoresApply apply,
                                std::ostream& err) {
    const std::string folder = DefaultRuntimeFolder();
    if (const std::string refusal = platform::PreparePrivateFolder(folder); !refusal.empty()) {
        err << "nimba-mousectl: " << refusal << "; a running nimba-mouse cannot be told of the "
            << "change, which is saved\n";
        return ProgramReply::kNoAnswer;
    }
    const std::string request = StoresChangedRequest({apply, data_directory});
    if (!InstanceRuns(folder)) return ProgramReply::kNotRunning;
    const std::optional<std::string> answer = AskRunningCopy(folder, request);
    // It may have ended while being asked.
    if (!answer && !InstanceRuns(folder)) return ProgramReply::kNotRunning;
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
