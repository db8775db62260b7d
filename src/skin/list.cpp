#include "skin/list.h"

#include <QSignalBlocker>

#include "skin/attribute_values.h"
#include "skin/skin_text.h"

void CListLabelElementUI::ShowIn(QListWidgetItem* item) {
    item_ = item;
    ApplyText(DisplayText());
}

void CListLabelElementUI::ApplyText(const QString& shown) {
    CLabelUI::ApplyText(shown);
    if (item_ != nullptr) item_->setText(shown);
}

CListUI::CListUI() : CControlUI(new QListWidget) {
    QListWidget* list = List();
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // currentRowChanged is blocked while the program selects, so what arrives here is the user.
    QObject::connect(list, &QListWidget::currentRowChanged, list,
                     [this](int row) { OnUserRow(row); });
}

CListUI::~CListUI() {
    const QSignalBlocker blocker(List());
    rows_.clear();
}

bool CListUI::Add(CControlUI* row) {
    return AddAt(row, GetCount());
}

bool CListUI::AddAt(CControlUI* row, int index) {
    if (row == nullptr || index < 0 || index > GetCount()) return false;
    const QSignalBlocker blocker(List());
    rows_.insert(rows_.begin() + index, std::unique_ptr<CControlUI>(row));
    auto* item = new QListWidgetItem;
    const int height = row->GetFixedHeight() > 0 ? row->GetFixedHeight() : default_row_height_;
    item->setSizeHint(QSize(0, height));
    List()->insertItem(index, item);
    if (auto* element = dynamic_cast<CListLabelElementUI*>(row)) {
        element->ShowIn(item);
    } else {
        List()->setItemWidget(item, row->GetWidget());
    }
    row->SetManager(GetManager(), nullptr);
    row->RefreshTexts();
    if (current_ >= index) ++current_;
    return true;
}

bool CListUI::Remove(CControlUI* row) {
    return RemoveAt(GetItemIndex(row));
}

bool CListUI::RemoveAt(int index) {
    if (index < 0 || index >= GetCount()) return false;
    const QSignalBlocker blocker(List());
    rows_.erase(rows_.begin() + index);
    delete List()->takeItem(index);
    if (current_ == index) {
        current_ = -1;
        List()->setCurrentRow(-1);
    } else if (current_ > index) {
        --current_;
    }
    return true;
}

void CListUI::RemoveAll() {
    const QSignalBlocker blocker(List());
    rows_.clear();
    List()->clear();
    current_ = -1;
}

CControlUI* CListUI::GetItemAt(int index) const {
    return index >= 0 && index < GetCount() ? rows_[index].get() : nullptr;
}

int CListUI::GetItemIndex(CControlUI* row) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (rows_[i].get() == row) return i;
    }
    return -1;
}

bool CListUI::SelectItem(int index, bool notify) {
    if (index < -1 || index >= GetCount()) return false;
    const int previous = current_;
    {
        const QSignalBlocker blocker(List());
        List()->setCurrentRow(index);
        if (index < 0) List()->clearSelection();
    }
    current_ = index;
    if (index >= 0) EnsureVisible(index);
    if (notify && index != previous) Notify(notify_type::kItemSelect, index, previous);
    return true;
}

void CListUI::EnsureVisible(int index) {
    if (QListWidgetItem* item = List()->item(index)) List()->scrollToItem(item);
}

void CListUI::OnUserRow(int row) {
    const int previous = current_;
    current_ = row;
    if (row != previous) Notify(notify_type::kItemSelect, row, previous);
}

void CListUI::SetManager(CPaintManagerUI* manager, CContainerUI* parent) {
    CControlUI::SetManager(manager, parent);
    for (auto& row : rows_) row->SetManager(manager, nullptr);
}

CControlUI* CListUI::FindControl(std::u16string_view name) {
    if (CControlUI* self = CControlUI::FindControl(name)) return self;
    for (auto& row : rows_) {
        if (CControlUI* found = row->FindControl(name)) return found;
    }
    return nullptr;
}

void CListUI::RefreshTexts() {
    CControlUI::RefreshTexts();
    for (auto& row : rows_) row->RefreshTexts();
}

void CListUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"itemheight") {
        default_row_height_ = nimba::skin::ParseInt(nimba::skin::ToQ(value), 22);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}
