#include "mousectl/profile_input.h"

#include <string>

#include "persistence/file_stream.h"

namespace nimba::mousectl {

std::unique_ptr<ProfileRecord> ReadProfileFile(std::string_view path, std::ostream& err) {
    const std::string name(path);
    OpenFailure failure;
    auto file = FileInputStream::Open(name, &failure);
    if (!file) {
        err << "nimba-mousectl: '" << name << "' " << DescribeOpenFailure(failure) << "\n";
        return nullptr;
    }
    auto record = std::make_unique<ProfileRecord>();
    const size_t got = ReadRecord(*file, *record);
    // One more byte would mean the file is longer than a record.
    char extra;
    if (got != sizeof(ProfileRecord) || file->Read(&extra, 1) != 0) {
        err << "nimba-mousectl: '" << name << "' is not a profile file (expected "
            << sizeof(ProfileRecord) << " bytes)\n";
        return nullptr;
    }
    return record;
}

}  // namespace nimba::mousectl
