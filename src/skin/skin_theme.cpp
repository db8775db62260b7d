#include "skin/skin_theme.h"

#include <QFile>
#include <QPalette>
#include <QToolTip>
#include <pugixml.hpp>

#include "skin/attribute_values.h"
#include "skin/skin_text.h"

namespace nimba::skin {

namespace {

std::u16string Utf16(const char* utf8) {
    return FromQ(QString::fromUtf8(utf8));
}

AttributeList AttributesBut(const pugi::xml_node& node, std::string_view key) {
    AttributeList list;
    for (const pugi::xml_attribute& a : node.attributes()) {
        if (key != a.name()) list.emplace_back(Utf16(a.name()), Utf16(a.value()));
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

std::shared_ptr<const SkinTheme> LoadTheme(const QString& path) {
    // Every window names the same theme; it is read and kept once.
    static std::map<QString, std::shared_ptr<const SkinTheme>> loaded;
    if (auto it = loaded.find(path); it != loaded.end()) return it->second;
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
            theme->styles[Utf16(node.attribute("name").as_string())] = AttributesBut(node, "name");
        } else if (kind == "ToolTip") {
            ApplyToolTipColours(node);
        }
    }
    loaded.emplace(path, theme);
    return theme;
}

}  // namespace nimba::skin
