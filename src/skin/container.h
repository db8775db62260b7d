#pragma once

// Controls that hold controls. A container owns its items and lays them out the way the skin
// says: stacked (Container), in a column (VerticalLayout), in a row (HorizontalLayout) or one
// page at a time (TabLayout). Items with a fixed size keep it, the others share the rest.

#include <QScrollArea>
#include <memory>
#include <vector>

#include "skin/control.h"

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;
    std::u16string_view GetClass() const override { return u"Container"; }

    // Takes ownership.
    bool Add(CControlUI* control);
    bool AddAt(CControlUI* control, int index);
    // Deletes the control.
    bool Remove(CControlUI* control);
    bool RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(items_.size()); }
    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(CControlUI* control) const;

    RECT GetInset() const { return inset_; }
    void SetInset(RECT inset);
    int GetChildPadding() const { return child_padding_; }
    void SetChildPadding(int padding);

    // Scrolling containers show scroll bars when the items do not fit.
    void EnableScrollBar(bool vertical, bool horizontal = false);
    void EndDown();  // scroll to the end
    void HomeUp();
    int GetScrollPos() const;
    int GetScrollRange() const;

    void SetManager(CPaintManagerUI* manager, CContainerUI* parent) override;
    CControlUI* FindControl(std::u16string_view name) override;
    // The named control inside this container.
    CControlUI* FindSubControl(std::u16string_view name) { return FindControl(name); }
    void RefreshTexts() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    QSize EstimateSize(QSize available) const override;

    // Places the items after a change of size, visibility or membership.
    void Arrange();

protected:
    enum class Flow { kStack, kColumn, kRow, kPages };
    explicit CContainerUI(Flow flow);
    // Whether item i takes part in the layout (a tab layout shows one page).
    virtual bool IsItemShown(int index) const;
    bool OnWidgetEvent(QEvent* event) override;
    void LookChanged() override;

private:
    QWidget* Content() const { return content_; }
    void PlaceColumnOrRow(const QRect& area, bool column);

    Flow flow_;
    std::vector<std::unique_ptr<CControlUI>> items_;
    QWidget*
        content_;  // the widget the items live in (a scroll area's inner widget when scrolling)
    QScrollArea* scroll_ = nullptr;
    RECT inset_{};
    int child_padding_ = 0;
    bool arranging_ = false;
};

class CVerticalLayoutUI : public CContainerUI {
public:
    CVerticalLayoutUI() : CContainerUI(Flow::kColumn) {}
    std::u16string_view GetClass() const override { return u"VerticalLayout"; }
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    CHorizontalLayoutUI() : CContainerUI(Flow::kRow) {}
    std::u16string_view GetClass() const override { return u"HorizontalLayout"; }
};

class CTabLayoutUI : public CContainerUI {
public:
    CTabLayoutUI() : CContainerUI(Flow::kPages) {}
    std::u16string_view GetClass() const override { return u"TabLayout"; }

    int GetCurSel() const { return current_; }
    // -1 shows no page.
    bool SelectItem(int index);
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    bool IsItemShown(int index) const override { return index == current_; }

private:
    int current_ = 0;
};
