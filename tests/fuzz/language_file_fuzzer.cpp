// A language file as anyone may put beside the program. A file the manager refuses keeps the
// texts in use; an accepted one answers every keyed entry it holds, the last of a repeated key.

#include <cstdint>
#include <map>
#include <pugixml.hpp>
#include <string>

#include "fuzz_check.h"
#include "platform/text_encoding.h"
#include "skin/resource_manager.h"
#include "test_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using nimba::testing::WriteBytes;
    static nimba::testing::TestFolder folder;
    const std::string kept = folder.path() + "kept.xml";
    const std::string given = folder.path() + "lan.xml";
    const std::string kept_texts = R"(<Language><Text id="kept_text">Kept</Text></Language>)";
    WriteBytes(kept, kept_texts.data(), kept_texts.size());

    CResourceManager texts;
    FUZZ_CHECK(texts.LoadLanguage(kept));
    WriteBytes(given, data, size);
    if (!texts.LoadLanguage(given)) {
        FUZZ_CHECK(texts.GetText(u"kept_text") == u"Kept");
        return 0;
    }
    pugi::xml_document doc;
    FUZZ_CHECK(doc.load_buffer(data, size, pugi::parse_default, pugi::encoding_utf8));
    // Keyed as the program looks texts up: ids that differ only in bytes that are not UTF-8
    // are one key.
    std::map<std::u16string, std::u16string> last;
    for (const pugi::xml_node entry : doc.child("Language").children("Text")) {
        const std::string id = entry.attribute("id").value();
        if (!id.empty())
            last[platform::Utf8ToUtf16(id)] = platform::Utf8ToUtf16(entry.child_value());
    }
    for (const auto& [key, text] : last) {
        FUZZ_CHECK(texts.HasText(key));
        FUZZ_CHECK(texts.GetText(key) == text);
    }
    return 0;
}
