#pragma once

// Which of the shipped languages the program speaks: the desktop's, from the locale
// variables, unless the user chose one.

#include <functional>
#include <string>
#include <vector>

namespace nimba {

// A shipped translation: its folder name under res/lang/ ("de", "pt_BR", "zh_TW") and the
// language's own name as its file gives it ("Deutsch").
struct ShippedLanguage {
    std::string code;
    std::string own_name;
};

// The translations under `res_folder`/lang/, ordered by code. English (res/lan.xml itself)
// is not among them.
std::vector<ShippedLanguage> ShippedLanguages(const std::string& res_folder);

// The code of the shipped language the locale variables ask for, or "" for English.
// `getenv` reads a variable (nullptr or "" when unset). As gettext does: the locale is the
// first set of LC_ALL, LC_MESSAGES, LANG; "C"/"POSIX" means English; otherwise the entries of
// LANGUAGE come first, then the locale. A name matches its region's file ("pt_BR"), else
// the language's ("pt" -> the one Portuguese file); Chinese is Traditional for TW, HK, MO
// and Hant, Simplified otherwise.
std::string LanguageFromLocale(const std::function<const char*(const char*)>& getenv,
                               const std::vector<ShippedLanguage>& shipped);

// The language file to load over English for `code`; "" for English.
std::string TranslationFile(const std::string& res_folder, const std::string& code);

}  // namespace nimba
