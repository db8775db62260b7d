#include "platform/file_dialog_answers.h"

#include <deque>
#include <mutex>

namespace platform {
namespace {

std::mutex answers_mutex;
std::deque<std::optional<std::string>> answers;

}  // namespace

void QueueFileDialogAnswer(std::optional<std::string> path) {
    const std::lock_guard lock(answers_mutex);
    answers.push_back(std::move(path));
}

std::optional<std::optional<std::string>> TakeFileDialogAnswer() {
    const std::lock_guard lock(answers_mutex);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace platform
