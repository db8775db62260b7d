#include "skin/combo.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QSignalBlocker>

#include "skin/attribute_values.h"
#include "skin/paint_manager.h"
#include "skin/skin_text.h"

CComboUI::CComboUI() : CControlUI(new QComboBox) {
    QComboBox* combo = Combo();
    // activated() is the user's choice only.
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
        const int previous = current_;
        current_ = index;
        if (index != previous) Notify(notify_type::kItemSelect, index, previous);
    });
    LookChanged();
}

void CComboUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    const QString v = nimba::skin::ToQ(value);
    if (name == u"arrowimage") {
        arrow_image_ = nimba::skin::ParseImageDescription(v);
    } else if (name == u"arrowwidth") {
        arrow_width_ = nimba::skin::ParseInt(v, 22);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

bool CComboUI::PaintContent(QPainter& painter) {
    QRect area = Look().TextArea(GetWidget()->rect());
    area.setRight(GetWidget()->width() - arrow_width_);
    const QString text = Combo()->currentText();
    ShowWholeTextAsTip(nimba::skin::PaintElidedText(painter, area, Qt::AlignLeft | Qt::AlignVCenter,
                                                    TextColor(), text),
                       text);
    if (!arrow_image_.empty() && GetManager() != nullptr) {
        const QPixmap arrow = GetManager()->GetImage(arrow_image_.file);
        QRect place(QPoint(), arrow.deviceIndependentSize().toSize());
        place.moveCenter(
            QRect(GetWidget()->width() - arrow_width_, 0, arrow_width_, GetWidget()->height())
                .center());
        nimba::skin::PaintImage(painter, place, arrow_image_, arrow);
    }
    return true;
}

void CComboUI::LookChanged() {
    using nimba::skin::ToQColor;
    const nimba::skin::ControlLook& look = Look();
    QPalette palette = Combo()->view()->palette();
    if (look.item_bk.normal != 0) {
        palette.setColor(QPalette::Base, ToQColor(look.item_bk.normal));
        palette.setColor(QPalette::Window, ToQColor(look.item_bk.normal));
    }
    if (look.item_text.normal != 0)
        palette.setColor(QPalette::Text, ToQColor(look.item_text.normal));
    if (look.item_bk.selected != 0)
        palette.setColor(QPalette::Highlight, ToQColor(look.item_bk.selected));
    if (look.item_text.selected != 0)
        palette.setColor(QPalette::HighlightedText, ToQColor(look.item_text.selected));
    Combo()->view()->setPalette(palette);
}

bool CComboUI::Add(CControlUI* element) {
    if (element == nullptr) return false;
    elements_.emplace_back(element);
    element->SetManager(GetManager(), nullptr);
    const QSignalBlocker blocker(Combo());
    Combo()->addItem(nimba::skin::ToQ(element->GetShownText()));
    Combo()->setCurrentIndex(current_);
    return true;
}

void CComboUI::RemoveAll() {
    const QSignalBlocker blocker(Combo());
    Combo()->clear();
    elements_.clear();
    current_ = -1;
}

CControlUI* CComboUI::GetItemAt(int index) const {
    return index >= 0 && index < GetCount() ? elements_[index].get() : nullptr;
}

bool CComboUI::SelectItem(int index, bool notify) {
    if (index < -1 || index >= GetCount()) return false;
    const int previous = current_;
    {
        const QSignalBlocker blocker(Combo());
        Combo()->setCurrentIndex(index);
    }
    current_ = index;
    if (notify && index != previous) Notify(notify_type::kItemSelect, index, previous);
    return true;
}

void CComboUI::SetManager(CPaintManagerUI* manager, CContainerUI* parent) {
    CControlUI::SetManager(manager, parent);
    for (auto& element : elements_) element->SetManager(manager, nullptr);
}

void CComboUI::RefreshTexts() {
    CControlUI::RefreshTexts();
    const QSignalBlocker blocker(Combo());
    for (int i = 0; i < GetCount(); ++i) {
        Combo()->setItemText(i, nimba::skin::ToQ(elements_[i]->GetShownText()));
    }
}
