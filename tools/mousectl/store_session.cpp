#include "mousectl/store_session.h"

#include <charconv>

#include "persistence/data_directory.h"
#include "platform/module_directory.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

// The language texts name the first profile, so they are loaded before the stores.
std::string DataDirectoryWithTexts() {
    CResourceManager::GetInstance().LoadLanguage(GetModuleDirectory() + "res/lan.xml");
    return GetDataDirectory();
}

}  // namespace

StoreSession::StoreSession()
    : profiles(DataDirectoryWithTexts()), macros(profiles.data_directory()) {
    profiles.Load();
    macros.Load();
}

std::optional<int> ParseIndex(std::string_view text, size_t count, std::ostream& err) {
    int index = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (ec != std::errc() || end != text.data() + text.size() || index < 0 ||
        static_cast<size_t>(index) >= count) {
        err << "nimba-mousectl: no entry '" << text << "' (there are " << count << ")\n";
        return std::nullopt;
    }
    return index;
}

}  // namespace nimba::mousectl
