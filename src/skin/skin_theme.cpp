#include "skin/skin_theme.h"

#include <QFile>
#include <QPalette>
#include <QToolTip>
#include <pugixml.hpp>

#include "platform/text_encoding.h"
#include "skin/attribute_values.h"
#include "skin/skin_text.h"

namespace nimba::skin {

namespace {

AttributeList AttributesBut(const pugi::xml_node& node, std::string_view key) {
    AttributeList list;
    for (const pugi::xml_attribute& a : node.attributes()) {
        if (key != a.name())
            list.emplace_back(platform::Utf8ToUtf16(a.name()), platform::Utf8ToUtf16(a.value()));
    }
    return list;
}

void ApplyToolTipColours(const pugi::xml_node& node) {
    QPalette palette = QToolTip::palette();
    if (const char* bk = node.attribute("bkcolor").as_string(nullptr))
        palette.setColor(QPalette::ToolTipBase, ToQColor(ParseColor(QString::fromUtf8(bk))));
    if (const char* text = node.attribute("textcolor").as_string(nullptr))
        palette.setColor(QPalette::ToolTipText, ToQColor(ParseColor(QString::fromUtf8(text))));
    QToolTip::setPalette(palette);
}

}  // namespace

const AttributeList* SkinTheme::Defaults(std::u16string_view kind) const {
    auto it = defaults.find(kind);
    return it == defaults.end() ? nullptr : &it->second;
}

const AttributeList* SkinTheme::Style(std::u16string_view name) const {
    auto it = styles.find(name);
    return it == styles.end() ? nullptr : &it->second;
}

namespace {

std::shared_ptr<const SkinTheme> ReadTheme(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    const QByteArray bytes = file.readAll();
    pugi::xml_document doc;
    if (!doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()))) return nullptr;
    auto theme = std::make_shared<SkinTheme>();
    for (const pugi::xml_node& node : doc.document_element().children()) {
        const std::string_view kind = node.name();
        if (kind == "Default") {
            const AttributeList list = AttributesBut(node, "class");
            for (const QString& name : QString::fromUtf8(node.attribute("class").as_string())
                                           .split(' ', Qt::SkipEmptyParts))
                theme->defaults[FromQ(name)] = list;
        } else if (kind == "Style") {
            theme->styles[platform::Utf8ToUtf16(node.attribute("name").as_string())] =
                AttributesBut(node, "name");
        } else if (kind == "ToolTip") {
            ApplyToolTipColours(node);
        }
    }
    return theme;
}

}  // namespace

std::shared_ptr<const SkinTheme> LoadTheme(const QString& path) {
    // Every window names the same theme: it is read once, and one that cannot be read is not
    // tried again by the next window.
    static std::map<QString, std::shared_ptr<const SkinTheme>> loaded;
    auto [it, added] = loaded.try_emplace(path);
    if (added) it->second = ReadTheme(path);
    return it->second;
}

}  // namespace nimba::skin
