#pragma once

// Which of the shipped languages the program speaks: the desktop's, from the locale
// variables, unless the user chose one.

#include <functional>
#include <string>
#include <vector>

namespace nimba {

// The codes of the translations under `res_folder`/lang/, their folder names ("de", "pt_BR",
// "zh_TW"), ordered. English (res/lan.xml itself) is not among them.
std::vector<std::string> ShippedLanguages(const std::string& res_folder);

// The code of the shipped language the locale variables ask for, or "" for English.
// `getenv` reads a variable (nullptr or "" when unset). As gettext does: the locale is the
// first set of LC_ALL, LC_MESSAGES, LANG; "C"/"POSIX" means English; otherwise the entries of
// LANGUAGE come first, then the locale. A name matches its region's file ("pt_BR"), else
// the language's ("pt" -> the one Portuguese file); Chinese is Traditional for TW, HK, MO
// and Hant, Simplified otherwise.
std::string LanguageFromLocale(const std::function<const char*(const char*)>& getenv,
                               const std::vector<std::string>& shipped);

// The language file to load over English for `code`; "" for English.
std::string TranslationFile(const std::string& res_folder, const std::string& code);

}  // namespace nimba
