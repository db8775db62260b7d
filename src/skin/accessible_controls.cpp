#include "skin/accessible_controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QPointer>
#include <QSlider>
#include <QTimer>

#include "skin/button.h"
#include "skin/combo.h"
#include "skin/control_event_hook.h"
#include "skin/menu_wnd.h"
#include "skin/skin_text.h"
#include "skin/slider.h"

namespace nimba::skin {
namespace {

CControlUI* ControlOf(const QObject* widget) {
    if (widget == nullptr) return nullptr;
    for (QObject* child : widget->children()) {
        if (auto* hook = dynamic_cast<ControlEventHook*>(child)) return hook->Control();
    }
    return nullptr;
}

// The name the control gives itself, else the one Qt reads from the widget.
QString NameOf(const QAccessibleWidget& accessible) {
    const QString name = static_cast<QWidget*>(accessible.object())->accessibleName();
    return name.isEmpty() ? accessible.QAccessibleWidget::text(QAccessible::Name) : name;
}

// Press and Toggle both act as a click does: an option chosen this way is selected, its group
// follows and the window hears of it exactly as from the mouse.
class AccessibleButton : public QAccessibleWidget {
public:
    AccessibleButton(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? Button()->text().replace("&&", "&") : name;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (Button()->isCheckable()) {
            s.checkable = true;
            s.checked = Button()->isChecked();
        }
        if (Button()->isDown()) s.pressed = true;
        return s;
    }

    QStringList actionNames() const override {
        const QString click = Button()->isCheckable() ? toggleAction() : pressAction();
        return QStringList{click} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name != pressAction() && name != toggleAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // After the reply: a click may open a modal window, whose loop would hold the answer
        // to the screen reader until the window closes.
        QTimer::singleShot(0, widget(), [button = QPointer<QWidget>(widget())] {
            if (auto* control = dynamic_cast<CButtonUI*>(ControlOf(button))) control->Activate();
        });
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// Value and value text in the user's units; a value set through it moves the slider as the
// user would, with the notification a drag raises.
class AccessibleSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleSlider(QSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(*this);
        // Description too: the AT-SPI bridge passes on no value text of its own.
        if (t == QAccessible::Value || t == QAccessible::Description) {
            if (const CSliderUI* slider = Slider())
                return ToQ(slider->GetValueText(slider->GetValue()));
        }
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return At(SliderWidget()->value()); }
    QVariant maximumValue() const override { return At(SliderWidget()->maximum()); }
    QVariant minimumValue() const override { return At(SliderWidget()->minimum()); }
    QVariant minimumStepSize() const override { return 0; }

    void setCurrentValue(const QVariant& value) override {
        CSliderUI* slider = Slider();
        if (slider == nullptr || !slider->IsEnabled()) return;
        slider->SetValue(slider->PositionOfUserValue(value.toDouble()), true);
    }

private:
    QSlider* SliderWidget() const { return static_cast<QSlider*>(widget()); }
    CSliderUI* Slider() const { return dynamic_cast<CSliderUI*>(ControlOf(widget())); }
    QVariant At(int position) const {
        const CSliderUI* slider = Slider();
        return slider != nullptr ? slider->GetUserValue(position) : position;
    }
};

// Qt names a drop-down by its current item on Linux; ours say what they choose.
class AccessibleCombo : public QAccessibleWidget {
public:
    explicit AccessibleCombo(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(*this);
        if (t == QAccessible::Value) return Combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == Combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction()) {
            Combo()->showPopup();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessible::Role ButtonRole(const CButtonUI& button) {
    if (dynamic_cast<const CMenuElementUI*>(&button) != nullptr) return QAccessible::MenuItem;
    if (dynamic_cast<const CCheckBoxUI*>(&button) != nullptr) return QAccessible::CheckBox;
    if (auto* option = dynamic_cast<const COptionUI*>(&button))
        return option->GetGroup().empty() ? QAccessible::CheckBox : QAccessible::RadioButton;
    return QAccessible::Button;
}

QAccessibleInterface* SkinControlFactory(const QString&, QObject* object) {
    CControlUI* control = ControlOf(object);
    if (control == nullptr) return nullptr;
    if (auto* button = dynamic_cast<CButtonUI*>(control)) {
        if (auto* widget = qobject_cast<QAbstractButton*>(object))
            return new AccessibleButton(widget, ButtonRole(*button));
    } else if (dynamic_cast<CSliderUI*>(control) != nullptr) {
        if (auto* widget = qobject_cast<QSlider*>(object)) return new AccessibleSlider(widget);
    } else if (dynamic_cast<CComboUI*>(control) != nullptr) {
        if (auto* widget = qobject_cast<QComboBox*>(object)) return new AccessibleCombo(widget);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(&SkinControlFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace nimba::skin
