#pragma once

// Lists of rows. A row is any control: a one-text element, or a container built from a row
// template skin whose named parts are found with FindSubControl. The user picking a row
// raises "itemselect" (wParam = new index, lParam = previous).

#include <QListWidget>
#include <memory>
#include <vector>

#include "skin/container.h"
#include "skin/label.h"

// A one-text row, drawn by its list as the text of the row rather than as a widget of its
// own: a list of thousands of names fills in a moment.
class CListLabelElementUI : public CLabelUI {
public:
    std::u16string_view GetClass() const override { return u"ListLabelElement"; }
    // The list's row that shows the text from now on.
    void ShowIn(QListWidgetItem* item);

protected:
    void ApplyText(const QString& shown) override;

private:
    QListWidgetItem* item_ = nullptr;
};

class CListContainerElementUI : public CHorizontalLayoutUI {
public:
    std::u16string_view GetClass() const override { return u"ListContainerElement"; }
};

class CListUI : public CControlUI {
public:
    CListUI();
    ~CListUI() override;
    std::u16string_view GetClass() const override { return u"List"; }

    // Takes ownership of the row.
    bool Add(CControlUI* row);
    bool AddAt(CControlUI* row, int index);
    bool Remove(CControlUI* row);
    bool RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(rows_.size()); }
    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(CControlUI* row) const;

    int GetCurSel() const { return current_; }
    // -1 clears the selection. Raises "itemselect" only with `notify` and a change.
    bool SelectItem(int index, bool notify = false);
    void EnsureVisible(int index);

    void SetManager(CPaintManagerUI* manager, CContainerUI* parent) override;
    CControlUI* FindControl(std::u16string_view name) override;
    void RefreshTexts() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    // The frame is the look's box; rows are drawn by the list's row painter.
    bool PaintContent(QPainter&) override { return true; }
    void LookChanged() override;

private:
    QListWidget* List() const { return static_cast<QListWidget*>(GetWidget()); }
    void OnUserRow(int row);

    std::vector<std::unique_ptr<CControlUI>> rows_;
    int current_ = -1;
    int default_row_height_ = 22;
};
