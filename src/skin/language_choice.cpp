#include "skin/language_choice.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace nimba {

namespace {

namespace fs = std::filesystem;

// "de_DE.UTF-8@euro" -> "de_DE"; "zh_Hant_TW" stays as it is.
std::string_view StripEncoding(std::string_view name) {
    return name.substr(0, name.find_first_of(".@"));
}

bool Shipped(const std::vector<std::string>& shipped, std::string_view code) {
    return std::find(shipped.begin(), shipped.end(), code) != shipped.end();
}

// The shipped code for one locale name, or "" when none fits.
std::string Match(std::string_view name, const std::vector<std::string>& shipped) {
    name = StripEncoding(name);
    const std::string_view language = name.substr(0, name.find('_'));
    if (language == "zh") {
        const bool traditional = name.find("TW") != std::string_view::npos ||
                                 name.find("HK") != std::string_view::npos ||
                                 name.find("MO") != std::string_view::npos ||
                                 name.find("Hant") != std::string_view::npos;
        const std::string code = traditional ? "zh_TW" : "zh_CN";
        return Shipped(shipped, code) ? code : "";
    }
    if (Shipped(shipped, name)) return std::string(name);
    if (Shipped(shipped, language)) return std::string(language);
    // A region of its own is the nearest file for the rest of the language ("pt" -> "pt_BR").
    for (const std::string& code : shipped) {
        if (code.starts_with(std::string(language) + "_")) return code;
    }
    return "";
}

}  // namespace

std::vector<std::string> ShippedLanguages(const std::string& res_folder) {
    std::vector<std::string> out;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(res_folder) / "lang", error)) {
        if (fs::is_regular_file(entry.path() / "lan.xml", error)) {
            out.push_back(entry.path().filename().string());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string LanguageFromLocale(const std::function<const char*(const char*)>& getenv,
                               const std::vector<std::string>& shipped) {
    const auto value = [&](const char* name) -> std::string_view {
        const char* v = getenv(name);
        return v ? v : "";
    };
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = value(name);
        if (!locale.empty()) break;
    }
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.")) return "";

    std::string_view list = value("LANGUAGE");
    while (!list.empty()) {
        const size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        // English named in the list before any translation wins over the locale.
        if (StripEncoding(entry).starts_with("en")) return "";
        if (std::string code = Match(entry, shipped); !code.empty()) return code;
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return Match(locale, shipped);
}

std::string TranslationFile(const std::string& res_folder, const std::string& code) {
    if (code.empty()) return "";
    return (fs::path(res_folder) / "lang" / code / "lan.xml").string();
}

}  // namespace nimba
