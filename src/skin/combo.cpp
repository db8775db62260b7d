#include "skin/combo.h"

#include <QSignalBlocker>

#include "skin/skin_text.h"

CComboUI::CComboUI() : CControlUI(new QComboBox) {
    QComboBox* combo = Combo();
    // activated() is the user's choice only.
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
        const int previous = current_;
        current_ = index;
        if (index != previous) Notify(notify_type::kItemSelect, index, previous);
    });
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
