#pragma once

// Keys as a script names them: a Qt key name without "Key_" (Return, Escape, A, F5), after
// any of the modifiers Ctrl, Shift, Alt, Meta joined by '+' (Ctrl+Shift+A).

#include <QKeyCombination>
#include <optional>
#include <string_view>

namespace nimba::scenario {

std::optional<QKeyCombination> ParseKeyCombination(std::string_view text);

}  // namespace nimba::scenario
