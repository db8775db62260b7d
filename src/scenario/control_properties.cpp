#include "scenario/control_properties.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <optional>

#include "scenario/window_lookup.h"
#include "skin/button.h"
#include "skin/combo.h"
#include "skin/container.h"
#include "skin/control_tree.h"
#include "skin/edit.h"
#include "skin/label.h"
#include "skin/list.h"
#include "skin/menu_wnd.h"
#include "skin/skin_text.h"
#include "skin/slider.h"

namespace nimba::scenario {
namespace {

constexpr std::string_view kProperties[] = {
    "name",       "kind",    "shown",   "enabled",         "text",         "checked",
    "value",      "min",     "max",     "selected",        "items",        "scroll",
    "scroll_end", "bkcolor", "focused", "accessible_name", "spoken_value", "tooltip"};

// The text a control shows, for the kinds that show one.
std::optional<QString> ShownText(CControlUI& control) {
    if (auto* line = qobject_cast<QLineEdit*>(control.GetWidget())) return line->text();
    if (auto* combo = qobject_cast<QComboBox*>(control.GetWidget())) return combo->currentText();
    if (dynamic_cast<CButtonUI*>(&control) != nullptr || dynamic_cast<CLabelUI*>(&control))
        return skin::ToQ(control.GetShownText());
    return std::nullopt;
}

void CollectTexts(CControlUI& control, QStringList& texts) {
    if (const auto text = ShownText(control)) texts.push_back(*text);
    for (CControlUI* child : skin::ChildControls(control)) CollectTexts(*child, texts);
}

QString RowText(CControlUI& row) {
    QStringList texts;
    CollectTexts(row, texts);
    return texts.join('\t');
}

void AddRange(QJsonObject& json, int value, int min, int max) {
    json["value"] = value;
    json["min"] = min;
    json["max"] = max;
}

}  // namespace

QJsonObject DescribeControl(CControlUI& control) {
    QJsonObject json;
    json["name"] = skin::ToQ(control.GetName());
    json["kind"] = skin::ToQ(control.GetClass());
    json["shown"] = IsControlShown(control);
    json["enabled"] = IsControlEnabled(control);
    if (const auto text = ShownText(control)) json["text"] = *text;
    if (const QString tip = control.GetWidget()->toolTip(); !tip.isEmpty()) json["tooltip"] = tip;
    // What a keyboard or screen-reader user meets: controls that take the focus.
    if (control.GetWidget()->focusPolicy() != Qt::NoFocus) {
        json["focused"] = control.IsFocused();
        json["accessible_name"] = skin::ToQ(control.GetAccessibleName());
    }
    // A colour the control shows as its background (a colour button, a swatch): "0xAARRGGBB",
    // as skins write it ("#" would start a comment in a script).
    if (const DWORD colour = control.GetBkColor(); colour != 0)
        json["bkcolor"] = "0x" + QStringLiteral("%1").arg(colour, 8, 16, QChar('0')).toUpper();
    if (auto* element = dynamic_cast<CMenuElementUI*>(&control)) {
        json["checked"] = element->GetChecked();
    } else if (auto* option = dynamic_cast<COptionUI*>(&control)) {
        json["checked"] = option->IsSelected();
    }
    if (auto* slider = dynamic_cast<CSliderUI*>(&control)) {
        AddRange(json, slider->GetValue(), slider->GetMinValue(), slider->GetMaxValue());
        json["spoken_value"] = skin::ToQ(slider->GetValueText(slider->GetValue()));
    } else if (auto* progress = dynamic_cast<CProgressUI*>(&control)) {
        AddRange(json, progress->GetValue(), progress->GetMinValue(), progress->GetMaxValue());
    } else if (auto* list = dynamic_cast<CListUI*>(&control)) {
        QJsonArray items;
        for (int i = 0; i < list->GetCount(); ++i) items.push_back(RowText(*list->GetItemAt(i)));
        json["selected"] = list->GetCurSel();
        json["items"] = items;
    } else if (auto* combo = dynamic_cast<CComboUI*>(&control)) {
        auto* widget = static_cast<QComboBox*>(control.GetWidget());
        QJsonArray items;
        for (int i = 0; i < widget->count(); ++i) items.push_back(widget->itemText(i));
        json["selected"] = combo->GetCurSel();
        json["items"] = items;
    } else if (auto* tabs = dynamic_cast<CTabLayoutUI*>(&control)) {
        json["selected"] = tabs->GetCurSel();
    } else if (auto* container = dynamic_cast<CContainerUI*>(&control);
               container != nullptr && container->GetScrollRange() > 0) {
        // A container whose children do not fit: how far it is scrolled, and whether to its end.
        json["scroll"] = container->GetScrollPos();
        json["scroll_end"] = container->GetScrollPos() >= container->GetScrollRange();
    }
    return json;
}

bool IsControlProperty(std::string_view name) {
    for (std::string_view property : kProperties) {
        if (property == name) return true;
    }
    return false;
}

}  // namespace nimba::scenario
