#pragma once

// Language texts: the keys every visible text is named by, looked up in the language file.
// Free of Qt so the command-line tool can use it too.

#include <string>
#include <string_view>
#include <unordered_map>

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    // Loads the <Text id="key">text</Text> entries of a language file, replacing any
    // loaded before. False when the file cannot be read or parsed (the texts stay as they were).
    bool LoadLanguage(const std::string& path);
    // The text of `key`, or the key itself when the language has none.
    std::u16string GetText(const std::u16string& key) const;
    std::string GetTextUtf8(const std::string& key) const;
    bool HasText(const std::u16string& key) const;

private:
    std::unordered_map<std::u16string, std::u16string> texts_;
};

// The loaded language's text of `key`: what the windows show, for the layers that take texts in.
std::u16string LanguageText(std::u16string_view key);
