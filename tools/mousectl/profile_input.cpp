#include "mousectl/profile_input.h"

#include <fstream>
#include <string>

namespace nimba::mousectl {

std::unique_ptr<ProfileRecord> ReadProfileFile(std::string_view path, std::ostream& err) {
    const std::string name(path);
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        err << "nimba-mousectl: cannot read '" << name << "'\n";
        return nullptr;
    }
    auto record = std::make_unique<ProfileRecord>();
    file.read(reinterpret_cast<char*>(record.get()), sizeof(ProfileRecord));
    const std::streamsize got = file.gcount();
    // One more byte would mean the file is longer than a record.
    const bool longer = got == static_cast<std::streamsize>(sizeof(ProfileRecord)) &&
                        file.peek() != std::ifstream::traits_type::eof();
    if (got != static_cast<std::streamsize>(sizeof(ProfileRecord)) || longer) {
        err << "nimba-mousectl: '" << name << "' is not a profile file (expected "
            << sizeof(ProfileRecord) << " bytes)\n";
        return nullptr;
    }
    if (file.bad()) {
        err << "nimba-mousectl: cannot read '" << name << "'\n";
        return nullptr;
    }
    return record;
}

}  // namespace nimba::mousectl
