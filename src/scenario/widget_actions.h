#pragma once

// A person's input to a control's widget: mouse presses and releases where a person aims, key
// presses and releases, so that a control raises exactly the notifications the person's input
// raises. Each action returns why it cannot be done, or an empty string once done.

#include <QKeyCombination>
#include <QString>
#include <string>

class CControlUI;
class QWidget;

namespace nimba::scenario {

std::string ClickControl(CControlUI& control, Qt::MouseButton button);
std::string DoubleClickControl(CControlUI& control);
// A list row is clicked; a combo box is opened and the item chosen in its drop-down list.
std::string SelectItem(CControlUI& control, int index);
// The slider's thumb is pressed, dragged to `value` and released.
std::string SlideTo(CControlUI& control, int value);
// Clicks into the text field and types `text` key by key.
std::string TypeText(CControlUI& control, const QString& text);
// Clicks into the text field, selects all of it and deletes it with Backspace.
std::string ClearText(CControlUI& control);
void PressKey(QWidget& target, QKeyCombination key);

}  // namespace nimba::scenario
