#include "app/program_language.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text_encoding.h"
#include "skin/language_choice.h"
#include "skin/paint_manager.h"
#include "skin/resource_manager.h"

namespace nimba {

void LoadProgramLanguage(const std::string& choice, const std::vector<std::string>& shipped) {
    const std::string res = platform::Utf16ToUtf8(CPaintManagerUI::GetResourcePath());
    std::string code;
    if (std::find(shipped.begin(), shipped.end(), choice) != shipped.end()) {
        code = choice;
    } else if (choice != "en") {
        code = LanguageFromLocale([](const char* name) { return std::getenv(name); }, shipped);
    }
    CResourceManager::GetInstance().LoadLanguage(res + "lan.xml", TranslationFile(res, code));
}

}  // namespace nimba
