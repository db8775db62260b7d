#include "skin/resource_manager.h"

#include <pugixml.hpp>

#include "platform/text_encoding.h"

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

CResourceManager& CResourceManager::GetInstance() {
    static CResourceManager instance;
    return instance;
}

namespace {

using Texts = std::unordered_map<std::u16string, std::u16string>;

// Language file format:
//   <Language name="English">
//     <Text id="left_click_text">Left click</Text>
//   </Language>
// A text is the element's character data; entries without an id are ignored.
bool ReadTexts(const std::string& path, Texts& texts) {
    pugi::xml_document doc;
    if (!doc.load_file(path.c_str(), pugi::parse_default, pugi::encoding_utf8)) return false;
    const pugi::xml_node root = doc.child("Language");
    // Any other document is not a language file.
    if (!root) return false;
    for (const pugi::xml_node entry : root.children("Text")) {
        const std::string id = entry.attribute("id").value();
        if (id.empty()) continue;
        texts[Utf8ToUtf16(id)] = Utf8ToUtf16(entry.child_value());
    }
    return true;
}

}  // namespace

bool CResourceManager::LoadLanguage(const std::string& path, const std::string& translation) {
    Texts texts;
    if (!ReadTexts(path, texts)) return false;
    if (!translation.empty()) ReadTexts(translation, texts);
    texts_ = std::move(texts);
    return true;
}

std::u16string CResourceManager::GetText(const std::u16string& key) const {
    const auto it = texts_.find(key);
    return it == texts_.end() ? key : it->second;
}

std::string CResourceManager::GetTextUtf8(const std::string& key) const {
    return Utf16ToUtf8(GetText(Utf8ToUtf16(key)));
}

bool CResourceManager::HasText(const std::u16string& key) const {
    return texts_.contains(key);
}

std::u16string LanguageText(std::u16string_view key) {
    return CResourceManager::GetInstance().GetText(std::u16string(key));
}
