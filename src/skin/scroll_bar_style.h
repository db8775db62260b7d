#pragma once

// Scroll bars as the skin draws them: a thin bar with a rounded thumb and no arrow buttons.
// The thumb is placed by the same geometry that takes the presses, so what shows is what drags.

#include <QScrollBar>

#include "skin/control_look.h"

namespace nimba::skin {

// Gives `bar` the scroll bar look of `look` (its width and thumb colours).
void ApplyScrollBarLook(QScrollBar* bar, const ControlLook& look);

}  // namespace nimba::skin
