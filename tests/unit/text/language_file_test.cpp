// The shipped language file must name every key the program and its skins use,
// otherwise the user sees a raw key instead of a text.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "skin/language_choice.h"
#include "skin/resource_manager.h"

namespace {

namespace fs = std::filesystem;

fs::path SourceDir() {
    const char* dir = std::getenv("NIMBA_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::path();
}

// The shipped language file, loaded into a manager of the test's own.
void LoadShippedLanguage(CResourceManager& rm) {
    ASSERT_FALSE(SourceDir().empty()) << "NIMBA_SOURCE_DIR is not set";
    ASSERT_TRUE(rm.LoadLanguage((SourceDir() / "res" / "lan.xml").string()));
}

bool IsLanguageKey(const std::string& s) {
    // Keys built at run time ("prate_%d_text") are checked through their expansions.
    if (s.find('%') != std::string::npos) return false;
    if (s.starts_with("key_")) return s.size() > 4;
    constexpr std::string_view kSuffix = "_text";
    if (s.size() <= kSuffix.size() || !s.ends_with(kSuffix)) return false;
    for (const char c : s) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    }
    return true;
}

// String literal contents of a C++ source, with comments and character literals skipped
// so that a quote inside them does not start a string.
std::vector<std::string> StringLiterals(const std::string& src) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < src.size()) {
        if (src.compare(i, 2, "//") == 0) {
            i = src.find('\n', i);
            if (i == std::string::npos) break;
        } else if (src.compare(i, 2, "/*") == 0) {
            i = src.find("*/", i + 2);
            if (i == std::string::npos) break;
            i += 2;
        } else if (src[i] == '\'' || src[i] == '"') {
            const char quote = src[i++];
            std::string text;
            while (i < src.size() && src[i] != quote && src[i] != '\n') {
                if (src[i] == '\\' && i + 1 < src.size()) ++i;
                text.push_back(src[i++]);
            }
            ++i;
            if (quote == '"') out.push_back(text);
        } else {
            ++i;
        }
    }
    return out;
}

void CollectXmlKeys(const pugi::xml_node node, std::set<std::string>& keys) {
    for (const pugi::xml_attribute attr : node.attributes()) {
        const std::string_view name = attr.name();
        // Whatever a skin marks as a key is one, whatever its form ("L_Button").
        const bool marked_key = name == "textid" || name == "tooltipid" ||
                                (name == "text" && node.attribute("resourcetext").as_bool());
        // Control names are not texts.
        if (marked_key || (name != "name" && IsLanguageKey(attr.value()))) {
            keys.insert(attr.value());
        }
    }
    if (node.type() == pugi::node_pcdata && IsLanguageKey(node.value())) keys.insert(node.value());
    for (const pugi::xml_node child : node.children()) CollectXmlKeys(child, keys);
}

TEST(LanguageFileTest, EveryKeyUsedHasAnEnglishText) {
    CResourceManager rm;
    ASSERT_NO_FATAL_FAILURE(LoadShippedLanguage(rm));
    const fs::path root = SourceDir();

    std::set<std::string> used;
    for (const auto& entry : fs::recursive_directory_iterator(root / "src")) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h" && ext != ".hpp") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string src{std::istreambuf_iterator<char>(in), {}};
        for (const auto& s : StringLiterals(src)) {
            if (IsLanguageKey(s)) used.insert(s);
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(root / "res")) {
        if (entry.path().extension() != ".xml" || entry.path().filename() == "lan.xml") continue;
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file(entry.path().c_str())) << entry.path();
        CollectXmlKeys(doc, used);
    }
    // Keys built at run time, through their expansions.
    const std::tuple<std::string, int, int, std::string> families[] = {
        {"prate_", 1, 4, "_text"}, {"key_F", 1, 12, ""}, {"key_Num_", 0, 9, ""}};
    for (const auto& [head, first, last, tail] : families) {
        for (int i = first; i <= last; ++i) used.insert(head + std::to_string(i) + tail);
    }

    std::ostringstream missing;
    for (const auto& key : used) {
        if (!rm.HasText(std::u16string(key.begin(), key.end()))) missing << " \"" << key << '"';
    }
    EXPECT_EQ(missing.str(), "") << "keys without a text in res/lan.xml";
}

// The key, own name and placeholders of each translation, against English.
struct LanguageFile {
    std::string name;
    std::map<std::string, std::string> texts;
};

LanguageFile ReadLanguageFile(const fs::path& path) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(path.c_str())) << path;
    LanguageFile file{doc.child("Language").attribute("name").value(), {}};
    for (const pugi::xml_node entry : doc.child("Language").children("Text")) {
        file.texts[entry.attribute("id").value()] = entry.child_value();
    }
    return file;
}

// "%d", "%s", "%%" and "%1" in their order: a translation that drops or swaps one prints
// garbage or reads past its arguments.
std::string Placeholders(const std::string& text) {
    std::string out;
    for (size_t i = text.find('%'); i != std::string::npos && i + 1 < text.size();
         i = text.find('%', i + 2)) {
        out += text.substr(i, 2);
    }
    return out;
}

TEST(LanguageFileTest, EveryTranslationHasTheEnglishKeysAndPlaceholders) {
    const LanguageFile english = ReadLanguageFile(SourceDir() / "res" / "lan.xml");
    const auto shipped = nimba::ShippedLanguages((SourceDir() / "res").string());
    EXPECT_GE(shipped.size(), 12u);
    for (const auto& code : shipped) {
        const LanguageFile file =
            ReadLanguageFile(nimba::TranslationFile((SourceDir() / "res").string(), code));
        std::ostringstream faults;
        for (const auto& [key, text] : english.texts) {
            const auto it = file.texts.find(key);
            if (it == file.texts.end())
                faults << " missing " << key << ';';
            else if (it->second.empty() != text.empty())
                faults << " empty " << key << ';';
            else if (Placeholders(it->second) != Placeholders(text))
                faults << " placeholders of " << key << ';';
        }
        for (const auto& [key, text] : file.texts) {
            if (!english.texts.contains(key)) faults << " extra " << key << ';';
        }
        EXPECT_FALSE(file.name.empty()) << code << " has no name of its own";
        EXPECT_EQ(faults.str(), "") << code;
    }
}

// LANG alone naming a shipped language is the language stories' part.
TEST(LanguageFileTest, TheDesktopsLocalePicksTheLanguage) {
    const std::vector<std::string> shipped = {"de", "pt_BR", "zh_CN", "zh_TW"};
    const std::tuple<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "C"}}, ""},
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "pt_PT.UTF-8"}}, "pt_BR"},
        {{{"LANG", "zh_HK.UTF-8"}}, "zh_TW"},
        {{{"LANG", "zh_SG.UTF-8"}}, "zh_CN"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "sv:zh_TW:de"}}, "zh_TW"},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:de"}}, ""},
        {{{"LANG", "C"}, {"LANGUAGE", "de"}}, ""},
        {{{"LANG", "sv_SE.UTF-8"}}, ""},
    };
    for (const auto& [env, expected] : cases) {
        const auto getenv = [&env = env](const char* name) -> const char* {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        };
        EXPECT_EQ(nimba::LanguageFromLocale(getenv, shipped), expected) << env.begin()->second;
    }
}

}  // namespace
