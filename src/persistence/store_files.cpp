#include "persistence/store_files.h"

#include "persistence/atomic_file.h"
#include "persistence/data_directory.h"

namespace nimba {

std::string ProfileStorePath(const std::string& data_directory) {
    return data_directory + kStoreFolder + "pro.data";
}

std::string MacroStorePath(const std::string& data_directory) {
    return data_directory + kStoreFolder + "macro.data";
}

std::string StoreJournalPath(const std::string& data_directory) {
    return data_directory + kStoreFolder + "stores.journal";
}

void CompleteStoreWrites(const std::string& data_directory) {
    const std::string journal = StoreJournalPath(data_directory);
    const std::string profiles = ProfileStorePath(data_directory);
    const std::string macros = MacroStorePath(data_directory);
    FinishFilesTogether(journal, {profiles, macros});
    RemoveStaleTemporaries({journal, profiles, macros});
}

}  // namespace nimba
