#include "skin/dialog_builder.h"

#include <QFile>
#include <QPalette>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <pugixml.hpp>

#include "platform/text_encoding.h"
#include "skin/attribute_values.h"
#include "skin/button.h"
#include "skin/color_palette.h"
#include "skin/combo.h"
#include "skin/container.h"
#include "skin/edit.h"
#include "skin/label.h"
#include "skin/list.h"
#include "skin/menu_wnd.h"
#include "skin/paint_manager.h"
#include "skin/skin_text.h"
#include "skin/slider.h"

using nimba::skin::FromQ;
using nimba::skin::ToQ;

namespace {

CControlUI* MakeControl(std::string_view kind) {
    static const std::map<std::string_view, std::function<CControlUI*()>> factory = {
        {"Control", [] { return new CControlUI; }},
        {"Container", [] { return new CContainerUI; }},
        {"VerticalLayout", [] { return new CVerticalLayoutUI; }},
        {"HorizontalLayout", [] { return new CHorizontalLayoutUI; }},
        {"TabLayout", [] { return new CTabLayoutUI; }},
        {"Button", [] { return new CButtonUI; }},
        {"Option", [] { return new COptionUI; }},
        {"CheckBox", [] { return new CCheckBoxUI; }},
        {"Label", [] { return new CLabelUI; }},
        {"Text", [] { return new CTextUI; }},
        {"Edit", [] { return new CEditUI; }},
        {"RichEdit", [] { return new CRichEditUI; }},
        {"Slider", [] { return new CSliderUI; }},
        {"Progress", [] { return new CProgressUI; }},
        {"Combo", [] { return new CComboUI; }},
        {"List", [] { return new CListUI; }},
        {"ListLabelElement", [] { return new CListLabelElementUI; }},
        {"ListContainerElement", [] { return new CListContainerElementUI; }},
        {"ColorPalette", [] { return new CColorPaletteUI; }},
        {"Menu", [] { return new CMenuUI; }},
        {"MenuElement", [] { return new CMenuElementUI; }},
    };
    auto it = factory.find(kind);
    return it == factory.end() ? nullptr : it->second();
}

void ApplyWindowAttributes(const pugi::xml_node& window, CPaintManagerUI* manager) {
    for (const pugi::xml_attribute& a : window.attributes()) {
        const QString value = QString::fromUtf8(a.value());
        const std::string_view name = a.name();
        if (name == "size") {
            manager->SetInitSize(nimba::skin::ParseSizeValue(value));
        } else if (name == "caption") {
            manager->SetCaptionHeight(nimba::skin::ParseRectValue(value).bottom);
        } else if (name == "roundcorner") {
            manager->SetRoundCorner(nimba::skin::ParseSizeValue(value));
        } else if (name == "mininfo") {
            manager->SetMinInfo(nimba::skin::ParseSizeValue(value));
        } else if (name == "titleid") {
            manager->SetTitleKey(nimba::skin::FromQ(value));
        } else if (name == "theme") {
            manager->SetTheme(
                nimba::skin::LoadTheme(ToQ(CPaintManagerUI::GetResourcePath()) + value));
        } else if (name == "bkcolor" && manager->GetWindowWidget() != nullptr) {
            QPalette palette = manager->GetWindowWidget()->palette();
            palette.setColor(QPalette::Window,
                             nimba::skin::ToQColor(nimba::skin::ParseColor(value)));
            manager->GetWindowWidget()->setPalette(palette);
            manager->GetWindowWidget()->setAutoFillBackground(true);
        }
    }
    for (const pugi::xml_node& font : window.children("Font")) {
        QFont f(QString::fromUtf8(font.attribute("name").as_string()));
        f.setPixelSize(font.attribute("size").as_int(12));
        f.setBold(font.attribute("bold").as_bool());
        f.setItalic(font.attribute("italic").as_bool());
        manager->AddFont(font.attribute("id").as_int(), f, font.attribute("default").as_bool());
    }
}

// Hands `child` to `parent` when `parent` holds controls; false (and `child` stays the
// caller's) when it does not.
bool AddChild(CControlUI& parent, CControlUI& child) {
    if (auto* container = dynamic_cast<CContainerUI*>(&parent)) return container->Add(&child);
    if (auto* list = dynamic_cast<CListUI*>(&parent)) return list->Add(&child);
    if (auto* combo = dynamic_cast<CComboUI*>(&parent)) return combo->Add(&child);
    return false;
}

void SetAttributes(CControlUI& control, const nimba::skin::AttributeList* list) {
    if (list == nullptr) return;
    for (const auto& [name, value] : *list) control.SetAttribute(name, value);
}

// Builds `node` and its children; null when it is not a control. A control takes the theme's
// defaults for its kind, then its style's attributes, then its own. Each control joins its
// parent (the root: the window's widget, `host`) before its own children are built.
CControlUI* Build(const pugi::xml_node& node, CControlUI* parent,
                  const nimba::skin::SkinTheme* theme, QWidget* host = nullptr) {
    std::unique_ptr<CControlUI> control(MakeControl(node.name()));
    if (!control) return nullptr;
    if (theme != nullptr) {
        SetAttributes(*control, theme->Defaults(platform::Utf8ToUtf16(node.name())));
        if (const char* style = node.attribute("style").as_string(nullptr))
            SetAttributes(*control, theme->Style(platform::Utf8ToUtf16(style)));
    }
    for (const pugi::xml_attribute& a : node.attributes()) {
        if (std::string_view(a.name()) != "style")
            control->SetAttribute(platform::Utf8ToUtf16(a.name()),
                                  platform::Utf8ToUtf16(a.value()));
    }
    CControlUI* built = control.get();
    if (parent != nullptr) {
        if (!AddChild(*parent, *built)) return nullptr;
        control.release();  // the parent owns it now
    } else if (host != nullptr) {
        built->GetWidget()->setParent(host);
    }
    for (const pugi::xml_node& child_node : node.children()) Build(child_node, built, theme);
    return parent != nullptr ? built : control.release();
}

CControlUI* BuildDocument(const pugi::xml_document& doc, CPaintManagerUI* manager) {
    pugi::xml_node root = doc.document_element();
    auto manager_theme = [manager] { return manager != nullptr ? manager->GetTheme() : nullptr; };
    if (std::string_view(root.name()) == "Window") {
        QWidget* host = nullptr;
        if (manager != nullptr) {
            ApplyWindowAttributes(root, manager);
            host = manager->GetWindowWidget();
        }
        for (const pugi::xml_node& child : root.children()) {
            if (CControlUI* control = Build(child, nullptr, manager_theme(), host)) return control;
        }
        return nullptr;
    }
    return Build(root, nullptr, manager_theme());
}

}  // namespace

CControlUI* CDialogBuilder::Create(std::u16string_view xml_file, CPaintManagerUI* manager) {
    QFile file(ToQ(CPaintManagerUI::GetResourcePath()) + ToQ(xml_file));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    const QByteArray bytes = file.readAll();
    pugi::xml_document doc;
    if (!doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()))) return nullptr;
    return BuildDocument(doc, manager);
}

CControlUI* CDialogBuilder::CreateFromString(std::u16string_view xml, CPaintManagerUI* manager) {
    const QByteArray bytes = ToQ(xml).toUtf8();
    pugi::xml_document doc;
    if (!doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()))) return nullptr;
    return BuildDocument(doc, manager);
}
