#include "platform/diagnostic_output.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<std::FILE*> g_output{nullptr};  // standard output until set

}  // namespace

std::FILE* DiagnosticOutput() {
    std::FILE* file = g_output.load();
    return file != nullptr ? file : stdout;
}

void SetDiagnosticOutput(std::FILE* file) {
    g_output.store(file);
}

}  // namespace platform
