#pragma once

// Answers for the open and save file dialogs given in advance, so a scripted run or a test
// can go through a dialog that would otherwise wait for a person. The dialog code takes an
// answer, when one is queued, instead of showing itself.

#include <optional>
#include <string>

namespace platform {

// Queues the answer for the next file dialog: a path, or nullopt for "cancelled".
void QueueFileDialogAnswer(std::optional<std::string> path);
// The oldest queued answer, or nullopt when none is queued (the dialog then shows).
std::optional<std::optional<std::string>> TakeFileDialogAnswer();

}  // namespace platform
