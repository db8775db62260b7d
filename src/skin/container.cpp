#include "skin/container.h"

#include <QEvent>
#include <QScrollBar>
#include <algorithm>

#include "skin/attribute_values.h"
#include "skin/paint_manager.h"
#include "skin/scroll_bar_style.h"
#include "skin/skin_text.h"

namespace {

// Lays the items out again whenever the widget they live in changes size.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(CContainerUI* container, QWidget* content)
        : QObject(content), container_(container) {
        content->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) container_->Arrange();
        return false;
    }

private:
    CContainerUI* container_;
};

}  // namespace

CContainerUI::CContainerUI() : CContainerUI(Flow::kStack) {}

CContainerUI::CContainerUI(Flow flow)
    : CControlUI(new QWidget), flow_(flow), content_(GetWidget()) {}

CContainerUI::~CContainerUI() {
    // Items go first, while the widget they sit in still exists.
    items_.clear();
}

bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > GetCount()) return false;
    items_.insert(items_.begin() + index, std::unique_ptr<CControlUI>(control));
    control->GetWidget()->setParent(content_);
    control->SetManager(GetManager(), this);
    if (GetManager() != nullptr) control->RefreshTexts();
    Arrange();
    return true;
}

bool CContainerUI::Remove(CControlUI* control) {
    return RemoveAt(GetItemIndex(control));
}

bool CContainerUI::RemoveAt(int index) {
    if (index < 0 || index >= GetCount()) return false;
    items_.erase(items_.begin() + index);
    Arrange();
    return true;
}

void CContainerUI::RemoveAll() {
    items_.clear();
    Arrange();
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return items_[index].get();
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (items_[i].get() == control) return i;
    }
    return -1;
}

void CContainerUI::SetInset(RECT inset) {
    inset_ = inset;
    Arrange();
}

void CContainerUI::SetChildPadding(int padding) {
    child_padding_ = padding;
    Arrange();
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
    if (scroll_ == nullptr) {
        auto* scroll = new QScrollArea;
        auto* inner = new QWidget;
        for (auto& item : items_) item->GetWidget()->setParent(inner);
        scroll->setWidget(inner);
        scroll->setWidgetResizable(true);
        // The container's own look shows through the scroll area and its content.
        inner->setAutoFillBackground(false);
        scroll->viewport()->setAutoFillBackground(false);
        scroll->setFrameShape(QFrame::NoFrame);
        // Tab goes to the controls inside, which the area scrolls into sight; the area itself
        // is no stop of its own.
        scroll->setFocusPolicy(Qt::NoFocus);
        content_ = inner;
        scroll_ = scroll;
        new ResizeWatcher(this, inner);
        SetWidget(scroll);
        LookChanged();
    }
    scroll_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    scroll_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
}

void CContainerUI::EndDown() {
    if (scroll_ == nullptr) return;
    // The content may have grown just now (a section shown before the call).
    Arrange();
    scroll_->widget()->adjustSize();
    QScrollBar* bar = scroll_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void CContainerUI::HomeUp() {
    if (scroll_ != nullptr) scroll_->verticalScrollBar()->setValue(0);
}

int CContainerUI::GetScrollPos() const {
    return scroll_ == nullptr ? 0 : scroll_->verticalScrollBar()->value();
}

int CContainerUI::GetScrollRange() const {
    return scroll_ == nullptr ? 0 : scroll_->verticalScrollBar()->maximum();
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CContainerUI* parent) {
    CControlUI::SetManager(manager, parent);
    for (auto& item : items_) item->SetManager(manager, this);
}

CControlUI* CContainerUI::FindControl(std::u16string_view name) {
    if (CControlUI* self = CControlUI::FindControl(name)) return self;
    for (auto& item : items_) {
        if (CControlUI* found = item->FindControl(name)) return found;
    }
    return nullptr;
}

void CContainerUI::RefreshTexts() {
    CControlUI::RefreshTexts();
    for (auto& item : items_) item->RefreshTexts();
}

void CContainerUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    using namespace nimba::skin;
    const QString v = ToQ(value);
    if (name == u"inset") {
        SetInset(ParseRectValue(v));
    } else if (name == u"childpadding") {
        SetChildPadding(ParseInt(v));
    } else if (name == u"vscrollbar") {
        if (ParseBool(v))
            EnableScrollBar(true, scroll_ != nullptr && scroll_->horizontalScrollBarPolicy() ==
                                                            Qt::ScrollBarAsNeeded);
    } else if (name == u"hscrollbar") {
        if (ParseBool(v))
            EnableScrollBar(
                scroll_ != nullptr && scroll_->verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded,
                true);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::LookChanged() {
    if (scroll_ == nullptr) return;
    nimba::skin::ApplyScrollBarLook(scroll_->verticalScrollBar(), Look());
    nimba::skin::ApplyScrollBarLook(scroll_->horizontalScrollBar(), Look());
}

bool CContainerUI::IsItemShown(int) const {
    return true;
}

bool CContainerUI::OnWidgetEvent(QEvent* event) {
    if (event->type() == QEvent::Resize && scroll_ == nullptr) Arrange();
    return CControlUI::OnWidgetEvent(event);
}

QSize CContainerUI::EstimateSize(QSize available) const {
    int main = 0;
    int cross = 0;
    int shown = 0;
    for (int i = 0; i < GetCount(); ++i) {
        const CControlUI* item = items_[i].get();
        if (!item->IsVisible() || !IsItemShown(i) || item->IsFloat()) continue;
        const QSize s = item->EstimateSize(available);
        const RECT p = item->GetPadding();
        const QSize outer(s.width() + p.left + p.right, s.height() + p.top + p.bottom);
        if (flow_ == Flow::kRow) {
            main += outer.width();
            cross = std::max(cross, outer.height());
        } else if (flow_ == Flow::kColumn) {
            main += outer.height();
            cross = std::max(cross, outer.width());
        } else {
            main = std::max(main, outer.height());
            cross = std::max(cross, outer.width());
        }
        ++shown;
    }
    if (shown > 1 && (flow_ == Flow::kRow || flow_ == Flow::kColumn))
        main += child_padding_ * (shown - 1);
    QSize size = flow_ == Flow::kRow ? QSize(main, cross) : QSize(cross, main);
    size += QSize(inset_.left + inset_.right, inset_.top + inset_.bottom);
    if (GetFixedWidth() > 0) size.setWidth(GetFixedWidth());
    if (GetFixedHeight() > 0) size.setHeight(GetFixedHeight());
    return size;
}

void CContainerUI::Arrange() {
    if (arranging_) return;
    arranging_ = true;
    const QRect area =
        content_->rect().adjusted(inset_.left, inset_.top, -inset_.right, -inset_.bottom);
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = items_[i].get();
        if (!item->IsVisible() || !IsItemShown(i)) {
            item->GetWidget()->setVisible(false);
            continue;
        }
        const RECT p = item->GetPadding();
        if (item->IsFloat()) {
            const RECT pos = item->GetFloatPos();
            item->GetWidget()->setGeometry(
                QRect(pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top));
            continue;
        }
        if (flow_ == Flow::kStack || flow_ == Flow::kPages) {
            QRect r = area.adjusted(p.left, p.top, -p.right, -p.bottom);
            if (item->GetFixedWidth() > 0) r.setWidth(item->GetFixedWidth());
            if (item->GetFixedHeight() > 0) r.setHeight(item->GetFixedHeight());
            item->GetWidget()->setGeometry(r);
        }
    }
    if (flow_ == Flow::kColumn || flow_ == Flow::kRow)
        PlaceColumnOrRow(area, flow_ == Flow::kColumn);
    // Shown once placed: a widget shown before it has a size works out a size of its own first.
    for (int i = 0; i < GetCount(); ++i) {
        if (items_[i]->IsVisible() && IsItemShown(i)) items_[i]->GetWidget()->setVisible(true);
    }
    arranging_ = false;
}

void CContainerUI::PlaceColumnOrRow(const QRect& area, bool column) {
    // Main axis: fixed items keep their size, the others share what is left (in a scrolling
    // container never less than they want, so they scroll instead of being squeezed).
    auto main_fixed = [column](const CControlUI* c) {
        return column ? c->GetFixedHeight() : c->GetFixedWidth();
    };
    auto lead = [column](const RECT& p) { return column ? p.top : p.left; };
    auto trail = [column](const RECT& p) { return column ? p.bottom : p.right; };
    std::vector<CControlUI*> flow;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = items_[i].get();
        if (item->IsVisible() && IsItemShown(i) && !item->IsFloat()) flow.push_back(item);
    }
    const int length = column ? area.height() : area.width();
    int fixed_total = flow.empty() ? 0 : child_padding_ * (static_cast<int>(flow.size()) - 1);
    int open_count = 0;
    for (const CControlUI* item : flow) {
        fixed_total += lead(item->GetPadding()) + trail(item->GetPadding()) + main_fixed(item);
        if (main_fixed(item) == 0) ++open_count;
    }
    const int share = open_count > 0 ? std::max(0, (length - fixed_total) / open_count) : 0;
    int cursor = column ? area.top() : area.left();
    for (CControlUI* item : flow) {
        const RECT p = item->GetPadding();
        int size = main_fixed(item);
        if (size == 0) {
            size = share;
            if (scroll_ != nullptr) {
                const QSize want = item->EstimateSize(area.size());
                size = std::max(size, column ? want.height() : want.width());
            }
        }
        cursor += lead(p);
        QRect r;
        if (column) {
            const int w =
                item->GetFixedWidth() > 0 ? item->GetFixedWidth() : area.width() - p.left - p.right;
            r = QRect(area.left() + p.left, cursor, w, size);
        } else {
            const int h = item->GetFixedHeight() > 0 ? item->GetFixedHeight()
                                                     : area.height() - p.top - p.bottom;
            r = QRect(cursor, area.top() + p.top, size, h);
        }
        item->GetWidget()->setGeometry(r);
        cursor += size + trail(p) + child_padding_;
    }
    if (scroll_ != nullptr) {
        const int needed = std::max(
            0, cursor - (flow.empty() ? 0 : child_padding_) - (column ? area.top() : area.left()) +
                   (column ? inset_.top + inset_.bottom : inset_.left + inset_.right));
        if (column) {
            content_->setMinimumHeight(needed);
        } else {
            content_->setMinimumWidth(needed);
        }
    }
}

bool CTabLayoutUI::SelectItem(int index) {
    if (index < -1 || index >= GetCount()) return false;
    current_ = index;
    Arrange();
    return true;
}

void CTabLayoutUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"selectedid") {
        current_ = nimba::skin::ParseInt(nimba::skin::ToQ(value));
        Arrange();
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}
