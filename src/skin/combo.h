#pragma once

// A drop-down list of text items. The user choosing a different item raises "itemselect"
// (wParam = new index, lParam = previous).

#include <QComboBox>
#include <memory>
#include <vector>

#include "skin/control.h"

class CComboUI : public CControlUI {
public:
    CComboUI();
    std::u16string_view GetClass() const override { return u"Combo"; }

    // Takes ownership; the item shows the element's text.
    bool Add(CControlUI* element);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(elements_.size()); }
    CControlUI* GetItemAt(int index) const;
    int GetCurSel() const { return Combo()->currentIndex(); }
    // -1 clears. Raises "itemselect" only with `notify` and a change.
    bool SelectItem(int index, bool notify = false);

    void SetManager(CPaintManagerUI* manager, CContainerUI* parent) override;
    void RefreshTexts() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    // The chosen item's text and the arrow picture (`arrowimage`, centred in the last
    // `arrowwidth` pixels) over the look's box; the open list takes the item colours.
    bool PaintContent(QPainter& painter) override;
    void LookChanged() override;

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(GetWidget()); }

    std::vector<std::unique_ptr<CControlUI>> elements_;
    int current_ = -1;
    nimba::skin::ImageDescription arrow_image_;
    int arrow_width_ = 22;
};
