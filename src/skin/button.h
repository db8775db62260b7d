#pragma once

// Push buttons, options (grouped: one of a group is selected) and check boxes.

#include <QAbstractButton>

#include "skin/control.h"

class CButtonUI : public CControlUI {
public:
    CButtonUI();
    std::u16string_view GetClass() const override { return u"Button"; }
    // Acts as a user click.
    bool Activate();
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    explicit CButtonUI(QAbstractButton* button);
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(GetWidget()); }
    virtual void OnUserClick();
    void ApplyText(const QString& shown) override;
    const nimba::skin::ImageDescription* StateImage() const override;
    unsigned PaintState() const override;
    // A button drawn from pictures shows no box of its own.
    bool PaintsBox() const override { return normal_image_.empty(); }
    bool PaintContent(QPainter& painter) override;
    bool OnWidgetEvent(QEvent* event) override;

    nimba::skin::ImageDescription normal_image_;
    nimba::skin::ImageDescription hot_image_;
    nimba::skin::ImageDescription pushed_image_;
    nimba::skin::ImageDescription disabled_image_;
    nimba::skin::ImageDescription selected_image_;
    Qt::Alignment align_ = Qt::AlignCenter;
};

class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;
    std::u16string_view GetClass() const override { return u"Option"; }

    bool IsSelected() const { return selected_; }
    // Selecting one option of a group deselects the others (they raise nothing); with
    // `notify` the newly changed option raises "selectchanged".
    void Selected(bool selected, bool notify = false);
    const std::u16string& GetGroup() const { return group_; }
    void SetGroup(std::u16string_view group);
    void SetManager(CPaintManagerUI* manager, CContainerUI* parent) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

protected:
    explicit COptionUI(QAbstractButton* button);
    void OnUserClick() override;

private:
    bool selected_ = false;
    std::u16string group_;
};

class CCheckBoxUI : public COptionUI {
public:
    CCheckBoxUI();
    std::u16string_view GetClass() const override { return u"CheckBox"; }
    bool GetCheck() const { return IsSelected(); }
    // With `notify` a change raises "checkclick", as a tick by the user does.
    void SetCheck(bool check, bool notify = false);

protected:
    // A tick by the user raises "checkclick" with wParam = the new state.
    void OnUserClick() override;
    // Its pictures are the tick box beside the text; the box is the skin's to give.
    bool PaintsBox() const override { return true; }
};
