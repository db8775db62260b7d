#include "skin/button.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

#include "skin/attribute_values.h"
#include "skin/label.h"
#include "skin/paint_manager.h"
#include "skin/skin_text.h"

using nimba::skin::ParseImageDescription;
using nimba::skin::ToQ;

CButtonUI::CButtonUI() : CButtonUI(new QPushButton) {}

CButtonUI::CButtonUI(QAbstractButton* button) : CControlUI(button) {
    button->setFocusPolicy(Qt::StrongFocus);
    // clicked() comes from the user (or Activate), never from setChecked().
    QObject::connect(button, &QAbstractButton::clicked, button, [this] { OnUserClick(); });
}

bool CButtonUI::Activate() {
    if (!IsEnabled() || !IsVisible()) return false;
    Button()->click();
    return true;
}

void CButtonUI::OnUserClick() {
    Notify(notify_type::kClick);
}

void CButtonUI::ApplyText(const QString& shown) {
    // '&' would otherwise be taken as a shortcut marker and vanish.
    Button()->setText(QString(shown).replace('&', "&&"));
}

void CButtonUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    const QString v = ToQ(value);
    if (name == u"normalimage") {
        normal_image_ = ParseImageDescription(v);
    } else if (name == u"hotimage") {
        hot_image_ = ParseImageDescription(v);
    } else if (name == u"pushedimage") {
        pushed_image_ = ParseImageDescription(v);
    } else if (name == u"disabledimage") {
        disabled_image_ = ParseImageDescription(v);
    } else if (name == u"selectedimage") {
        selected_image_ = ParseImageDescription(v);
    } else if (name == u"align") {
        align_ = nimba::skin::ParseAlign(v, align_);
    } else {
        CControlUI::SetAttribute(name, value);
        return;
    }
    GetWidget()->update();
}

const nimba::skin::ImageDescription* CButtonUI::StateImage() const {
    if (!IsEnabled() && !disabled_image_.empty()) return &disabled_image_;
    if (Button()->isChecked() && !selected_image_.empty()) return &selected_image_;
    if (Button()->isDown() && !pushed_image_.empty()) return &pushed_image_;
    if (IsHot() && !hot_image_.empty()) return &hot_image_;
    return normal_image_.empty() ? nullptr : &normal_image_;
}

unsigned CButtonUI::PaintState() const {
    unsigned state = CControlUI::PaintState();
    if (Button()->isDown()) state |= nimba::skin::kStatePushed;
    if (Button()->isChecked()) state |= nimba::skin::kStateSelected;
    return state;
}

bool CButtonUI::PaintContent(QPainter& painter) {
    const QString text = DisplayText();
    const bool cut = nimba::skin::PaintElidedText(painter, Look().TextArea(GetWidget()->rect()),
                                                  align_, TextColor(), text);
    ShowWholeTextAsTip(cut, text);
    return true;
}

bool CButtonUI::OnWidgetEvent(QEvent* event) {
    // Return presses the focused button, as Space does; these windows have no default button.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            Activate();
            return true;
        }
    }
    return CControlUI::OnWidgetEvent(event);
}

COptionUI::COptionUI() : COptionUI(new QPushButton) {}

COptionUI::COptionUI(QAbstractButton* button) : CButtonUI(button) {
    button->setCheckable(true);
}

COptionUI::~COptionUI() {
    if (GetManager() != nullptr && !group_.empty()) GetManager()->RemoveOptionGroup(group_, this);
}

void COptionUI::Selected(bool selected, bool notify) {
    if (selected_ == selected) return;
    selected_ = selected;
    {
        const QSignalBlocker blocker(Button());
        Button()->setChecked(selected);
    }
    if (selected && !group_.empty() && GetManager() != nullptr) {
        for (COptionUI* other : GetManager()->GetOptionGroup(group_)) {
            if (other != this) other->Selected(false, false);
        }
    }
    GetWidget()->update();
    if (notify) Notify(notify_type::kSelectChanged);
}

void COptionUI::SetGroup(std::u16string_view group) {
    if (GetManager() != nullptr && !group_.empty()) GetManager()->RemoveOptionGroup(group_, this);
    group_ = group;
    if (GetManager() != nullptr && !group_.empty()) GetManager()->AddOptionGroup(group_, this);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CContainerUI* parent) {
    if (GetManager() != nullptr && GetManager() != manager && !group_.empty())
        GetManager()->RemoveOptionGroup(group_, this);
    const bool joined = GetManager() == manager;
    CButtonUI::SetManager(manager, parent);
    if (manager != nullptr && !joined && !group_.empty()) {
        manager->AddOptionGroup(group_, this);
        // A skin may mark more than one option of a group; the last one wins.
        if (selected_) {
            selected_ = false;
            Selected(true, false);
        }
    }
}

void COptionUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"group") {
        SetGroup(value);
    } else if (name == u"selected") {
        Selected(nimba::skin::ParseBool(ToQ(value)), false);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void COptionUI::OnUserClick() {
    // Qt has already flipped the check; the option's own state decides.
    const bool target = group_.empty() ? !selected_ : true;
    {
        const QSignalBlocker blocker(Button());
        Button()->setChecked(selected_);
    }
    Notify(notify_type::kClick);
    Selected(target, true);
}

CCheckBoxUI::CCheckBoxUI() : COptionUI(new QCheckBox) {
    align_ = Qt::AlignLeft | Qt::AlignVCenter;
}

void CCheckBoxUI::SetCheck(bool check, bool notify) {
    const bool changed = check != IsSelected();
    Selected(check, false);
    if (notify && changed) Notify(notify_type::kCheckClick, check ? 1 : 0);
}

void CCheckBoxUI::OnUserClick() {
    SetCheck(!IsSelected(), true);
}
