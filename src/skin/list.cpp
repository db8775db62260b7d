#include "skin/list.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "skin/attribute_values.h"
#include "skin/scroll_bar_style.h"
#include "skin/skin_text.h"

namespace {

// Rows in the list's item colours: hot and selected backgrounds, the selected row's accent bar
// on the left, the text cut with "..." when the row is too narrow.
class RowPainter : public QStyledItemDelegate {
public:
    RowPainter(const nimba::skin::ControlLook& look, QObject* parent)
        : QStyledItemDelegate(parent), look_(look) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        using namespace nimba::skin;
        unsigned state = 0;
        if (option.state & QStyle::State_MouseOver) state |= kStateHot;
        if (option.state & QStyle::State_Selected) state |= kStateSelected;
        if (const DWORD bk = look_.item_bk.For(state); bk != 0)
            painter->fillRect(option.rect, ToQColor(bk));
        if ((state & kStateSelected) && look_.item_selected_bar != 0) {
            painter->fillRect(QRect(option.rect.left(), option.rect.top(), 3, option.rect.height()),
                              ToQColor(look_.item_selected_bar));
        }
        const DWORD text = look_.item_text.For(state);
        painter->setFont(option.font);
        PaintElidedText(*painter, option.rect - look_.item_text_padding,
                        Qt::AlignLeft | Qt::AlignVCenter,
                        text != 0 ? ToQColor(text) : option.palette.color(QPalette::Text),
                        index.data(Qt::DisplayRole).toString());
    }

private:
    const nimba::skin::ControlLook& look_;
};

}  // namespace

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
    // A one-pixel frame keeps the rows inside the border the look draws.
    list->setFrameStyle(QFrame::Box | QFrame::Plain);
    list->viewport()->setAutoFillBackground(false);
    list->viewport()->setAttribute(Qt::WA_Hover);
    list->setItemDelegate(new RowPainter(Look(), list));
    LookChanged();
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

void CListUI::LookChanged() {
    nimba::skin::ApplyScrollBarLook(List()->verticalScrollBar(), Look());
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
