#pragma once

// Language texts: the keys every visible text is named by, looked up in the language file.
// Free of Qt so the command-line tool can use it too.

#include <string>
#include <string_view>
#include <unordered_map>

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    // Loads the <Text id="key">text</Text> entries of the English file at `path`, replacing any
    // loaded before, then those of `translation` over them when it is given: a text the
    // translation lacks stays English, never the key. False when the English file cannot be
    // read or parsed (the texts stay as they were); a translation that cannot be read leaves
    // English.
    bool LoadLanguage(const std::string& path, const std::string& translation = {});
    // The text of `key`, or the key itself when the language has none.
    std::u16string GetText(const std::u16string& key) const;
    std::string GetTextUtf8(const std::string& key) const;
    bool HasText(const std::u16string& key) const;

private:
    std::unordered_map<std::u16string, std::u16string> texts_;
};

// The loaded language's text of `key`: what the windows show, for the layers that take texts in.
std::u16string LanguageText(std::u16string_view key);
