#include "scenario/widget_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "skin/control.h"

namespace nimba::scenario {
namespace {

// Where a person clicks on a control's widget: the middle, except on a check box (it only
// takes clicks on its box and text: the box) and on a list (its viewport takes the clicks: the
// current row, else the middle).
struct Aim {
    QWidget* widget;
    QPoint at;
};

Aim AimAt(QWidget& widget) {
    if (auto* box = qobject_cast<QCheckBox*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        return {box,
                box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center()};
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(&widget)) {
        const QModelIndex current = view->currentIndex();
        return {view->viewport(), current.isValid() ? view->visualRect(current).center()
                                                    : view->viewport()->rect().center()};
    }
    return {&widget, widget.rect().center()};
}

// The style's view of the slider, as the slider builds it for itself.
QStyleOptionSlider SliderOption(QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    option.upsideDown = slider.orientation() == Qt::Horizontal
                            ? slider.invertedAppearance() != (option.direction == Qt::RightToLeft)
                            : !slider.invertedAppearance();
    option.direction = Qt::LeftToRight;
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.singleStep = slider.singleStep();
    option.pageStep = slider.pageStep();
    if (slider.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    return option;
}

// The key a character is typed with: Qt's key codes of Latin-1 characters are their
// upper-case code points.
Qt::Key KeyOfCharacter(QChar c) {
    const QChar upper = c.toUpper();
    return upper.unicode() < 0x100 ? static_cast<Qt::Key>(upper.unicode()) : Qt::Key_unknown;
}

// Press and release; the press may already take the widget away (a window closing).
void PressAndRelease(QWidget* widget, Qt::MouseButton button, QPoint at) {
    QPointer<QWidget> alive(widget);
    // A click activates the window it lands in, as the desktop does; offscreen, a closed popup
    // or message box would otherwise leave no window to take the keyboard focus.
    if (widget != nullptr && !widget->window()->isActiveWindow())
        widget->window()->activateWindow();
    QTest::mousePress(widget, button, {}, at);
    if (alive) QTest::mouseRelease(widget, button, {}, at);
}

std::string SelectListRow(QListWidget& list, int index) {
    if (index >= list.count()) return "the list has " + std::to_string(list.count()) + " rows";
    QListWidgetItem* item = list.item(index);
    list.scrollToItem(item);
    PressAndRelease(list.viewport(), Qt::LeftButton, list.visualItemRect(item).center());
    return {};
}

std::string SelectComboItem(QComboBox& combo, int index) {
    if (index >= combo.count())
        return "the combo box has " + std::to_string(combo.count()) + " items";
    PressAndRelease(&combo, Qt::LeftButton, combo.rect().center());
    QAbstractItemView* view = combo.view();
    if (!view->isVisible()) return "the combo box did not open";
    // Keys, not the pointer: the drop-down ignores a release that comes too soon after it opened.
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    return {};
}

}  // namespace

std::string ClickControl(CControlUI& control, Qt::MouseButton button) {
    const Aim aim = AimAt(*control.GetWidget());
    PressAndRelease(aim.widget, button, aim.at);
    return {};
}

std::string DoubleClickControl(CControlUI& control) {
    const Aim aim = AimAt(*control.GetWidget());
    QPointer<QWidget> widget(aim.widget);
    PressAndRelease(widget, Qt::LeftButton, aim.at);
    if (widget) QTest::mouseDClick(widget, Qt::LeftButton, {}, aim.at);
    if (widget) QTest::mouseRelease(widget, Qt::LeftButton, {}, aim.at);
    return {};
}

std::string SelectItem(CControlUI& control, int index) {
    if (auto* list = qobject_cast<QListWidget*>(control.GetWidget()))
        return SelectListRow(*list, index);
    if (auto* combo = qobject_cast<QComboBox*>(control.GetWidget()))
        return SelectComboItem(*combo, index);
    return "not a list or combo box";
}

std::string SlideTo(CControlUI& control, int value) {
    auto* slider = qobject_cast<QSlider*>(control.GetWidget());
    if (slider == nullptr) return "not a slider";
    if (value < slider->minimum() || value > slider->maximum()) {
        return "the slider goes from " + std::to_string(slider->minimum()) + " to " +
               std::to_string(slider->maximum());
    }
    const QStyleOptionSlider option = SliderOption(*slider);
    QStyle* style = slider->style();
    const QRect handle =
        style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    const QRect groove =
        style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const bool horizontal = slider->orientation() == Qt::Horizontal;
    const int length = horizontal ? handle.width() : handle.height();
    const int start = horizontal ? groove.x() : groove.y();
    const int span = (horizontal ? groove.right() : groove.bottom()) - length + 1 - start;
    const QPoint press = handle.center();
    // The slider keeps the pointer's offset within the thumb while it is dragged.
    const int target = start +
                       QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value,
                                                       span, option.upsideDown) +
                       (horizontal ? press.x() - handle.x() : press.y() - handle.y());
    const QPoint to = horizontal ? QPoint(target, press.y()) : QPoint(press.x(), target);
    QTest::mousePress(slider, Qt::LeftButton, {}, press);
    QTest::mouseMove(slider, to);
    // A slider with fewer pixels than values cannot reach every value by whole pixels: the
    // last step of the drag is finer than a pixel, as a person's pointer can be.
    if (slider->isSliderDown() && slider->sliderPosition() != value)
        slider->setSliderPosition(value);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, to);
    return {};
}

std::string TypeText(CControlUI& control, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(control.GetWidget());
    if (line == nullptr) return "not a text field";
    QPointer<QLineEdit> alive(line);
    PressAndRelease(line, Qt::LeftButton, line->rect().center());
    for (QChar c : text) {
        if (!alive) break;
        QTest::sendKeyEvent(QTest::Click, line, KeyOfCharacter(c), QString(c), Qt::NoModifier);
    }
    return {};
}

std::string ClearText(CControlUI& control) {
    auto* line = qobject_cast<QLineEdit*>(control.GetWidget());
    if (line == nullptr) return "not a text field";
    PressAndRelease(line, Qt::LeftButton, line->rect().center());
    PressKey(*line, QKeyCombination(Qt::ControlModifier, Qt::Key_A));
    PressKey(*line, QKeyCombination(Qt::Key_Backspace));
    return {};
}

void PressKey(QWidget& target, QKeyCombination key) {
    QTest::keyClick(&target, key.key(), key.keyboardModifiers());
}

}  // namespace nimba::scenario
