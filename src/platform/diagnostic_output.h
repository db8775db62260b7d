#pragma once

// Where the device layer's diagnostic lines go that the program prints on standard output.
// A tool whose own results are standard output sends them to standard error instead.

#include <cstdio>

namespace platform {

std::FILE* DiagnosticOutput();
void SetDiagnosticOutput(std::FILE* file);

}  // namespace platform
