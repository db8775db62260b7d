#include "mousectl/store_session.h"

#include <charconv>
#include <iostream>
#include <utility>

#include "model/utf16.h"
#include "persistence/data_directory.h"
#include "persistence/name_case.h"
#include "platform/module_directory.h"
#include "skin/resource_manager.h"

namespace nimba::mousectl {
namespace {

// A program writing a 1000-profile store holds the lock for well under this.
constexpr auto kSessionLockWait = std::chrono::seconds(10);

// The language texts name the first profile, so they are loaded before the stores.
std::string DataDirectoryWithTexts() {
    LoadLanguageTexts();
    return GetDataDirectory();
}

std::optional<StoreLock> LockStores(const std::string& data_directory) {
    auto lock = StoreLock::Take(data_directory, kSessionLockWait);
    if (!lock) {
        throw StoresUnavailable{"another process keeps the stores locked (" +
                                StoreLockPath(data_directory) + "); nothing was changed"};
    }
    return lock;
}

}  // namespace

void LoadLanguageTexts() {
    CResourceManager::GetInstance().LoadLanguage(GetModuleDirectory() + "res/lan.xml");
}

StoreSession::StoreSession(StoreAccess access)
    : profiles(DataDirectoryWithTexts(), LanguageText),
      macros(profiles.data_directory(), LanguageText),
      lock(LockStores(profiles.data_directory())) {
    const std::string& folder = profiles.data_directory();
    const std::pair<StoreLoad, std::string> loads[] = {
        {profiles.Load(access), ProfileStorePath(folder)},
        {macros.Load(access), MacroStorePath(folder)}};
    for (const auto& [load, path] : loads) {
        if (load.outcome == StoreLoad::Outcome::kUnreadable) {
            throw StoresUnavailable{path + " " + load.detail + "; it is left as it is"};
        }
        if (load.outcome == StoreLoad::Outcome::kSetAside) {
            std::cerr << "nimba-mousectl: " << path
                      << " was damaged and has been mended; its bytes "
                      << "were kept in " << load.detail << "\n";
        }
    }
    // What was read is all a reading command needs: the program may save meanwhile.
    if (access == StoreAccess::kReadOnly) Unlock();
}

std::function<void()> SaveOrSay(ProfileStore& profiles, std::ostream& err) {
    return [&profiles, &err] {
        switch (profiles.SaveCopy(kStoreLockWait)) {
            case ProfileStore::Write::kSaved:
                return;
            case ProfileStore::Write::kChangedOnDisk:
                err << "nimba-mousectl: another process saved the profile store since it was "
                       "read; the change is not saved over it\n";
                return;
            default:
                err << "nimba-mousectl: cannot save the profile store\n";
        }
    };
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

std::optional<int> FindProfile(const ProfileList& list, std::string_view text, std::ostream& err) {
    const std::u16string name = Utf8ToUtf16(std::string(text));
    for (size_t i = 0; i < list.size(); ++i) {
        if (EqualsIgnoringCase(NameView(list[i]->name), name)) return static_cast<int>(i);
    }
    return ParseIndex(text, list.size(), err);
}

}  // namespace nimba::mousectl
