#pragma once

#include <ostream>
#include <string_view>

#include "mousectl/commands.h"
#include "persistence/file_import.h"

namespace nimba::mousectl {

// Explains a refused import on `err` and returns the exit code for it.
inline int ReportRefusedImport(ImportStatus status, std::string_view path, std::string_view kind,
                               std::ostream& err) {
    err << "nimba-mousectl: " << path << ": ";
    switch (status) {
        case ImportStatus::kUnreadable:
            err << "cannot be read\n";
            break;
        case ImportStatus::kNotAFile:
            err << DescribeOpenFailure({FileProblem::kNotAFile}) << "\n";
            break;
        case ImportStatus::kTruncated:
            err << "too short for a " << kind << "\n";
            break;
        case ImportStatus::kInvalid:
            err << "not a valid " << kind << "\n";
            break;
        case ImportStatus::kImported:
            break;
    }
    return kExitUsage;
}

}  // namespace nimba::mousectl
