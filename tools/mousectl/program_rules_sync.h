#pragma once

// The rules of the programs profiles follow keep up with the profile list: a renamed profile
// keeps its rules, a deleted one loses them.

#include <ostream>
#include <string>

namespace nimba::mousectl {

// False, with a message, when the rules file could not be written.
bool RulesFollowRename(const std::string& data_directory, const std::string& old_name,
                       const std::string& new_name, std::ostream& err);
bool RulesFollowDelete(const std::string& data_directory, const std::string& name,
                       std::ostream& err);

}  // namespace nimba::mousectl
